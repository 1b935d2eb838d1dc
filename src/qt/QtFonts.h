// Editor fonts: the Windows font names stored in the settings resolved to installed
// faces that keep the editor's cells (IPAGothic for the Japanese monospace names).
#pragma once

#include <QFont>
#include <QStringList>
#include <string>

namespace varnel::qt {

// The installed family that stands for a stored font name (UTF-8); the name itself when no
// rule applies (fontconfig then substitutes as usual).
QString FontFamilyFor(const std::string& storedName);

// A font of the stored name; pixelHeight < 0 gives a pixel height of -pixelHeight,
// otherwise pointSize is used (at 96 dots per inch). Either is rounded up to an even
// number of pixels.
QFont EditorFont(const std::string& storedName, int pointSize, int pixelHeight);

}  // namespace varnel::qt
