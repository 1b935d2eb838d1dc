// Whether opening a file could run a program: the extension list of the settings
// (ASCII case ignored), scripts and launchers of the desktop, and the executable bit.
#pragma once

#include <string_view>

#include "text/Message.h"

namespace varnel::app {

// Asked with Yes and No before a dangerous file is opened (%s: its path).
inline constexpr text::Message kHarmfulFileQuestion{
    "Are you sure? The file may be harmful.\nOpening %s",
    "危険な可能性のある拡張子です\n%s を開いてよろしいか"};

// The extension of name's base name, from its last "." (empty when there is none).
std::string_view FileExtension(std::string_view name);

// True when the extension occurs in dontExecuteExt (".exe.bat..."), is one of ".desktop",
// ".sh" or ".AppImage", or the file at path exists with an executable bit.
bool IsDangerousFile(std::string_view path, std::string_view dontExecuteExt);

}  // namespace varnel::app
