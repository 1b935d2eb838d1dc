// What the file named on the command line means for the start-up: compose file or
// not, the open-request prefix, the wait for the mailer, the icon and the initial
// viewer/editor mode.
#pragma once

#include <string>
#include <string_view>

#include "platform/MainView.h"

namespace varnel::app {

// Prefix an open request from the mailer must start with in a viewer window.
inline constexpr std::string_view kViewerOpenPrefix = "[open(\"";
// Prefix of a window started on a compose file: no request starts with it, so such a
// window ignores open requests.
inline constexpr std::string_view kComposeOpenPrefix = "dummy";

struct StartFile {
    bool compose = false;        // a mailer compose file: the window takes EditWidth
    std::string OpenPrefix;      // kViewerOpenPrefix or kComposeOpenPrefix
    bool waitForMailer = false;  // show the "preparing mail" message before opening
};

// Classifies fileName (real case; rules look at a lower-cased copy). replyConfirm is the
// setting ReplyConfirm: with it, a mailer temporary file (".tmp" in its name, not one of
// our own "_varnel" files) makes the start-up wait until the user confirms.
StartFile ClassifyStartFile(std::string_view fileName, bool replyConfirm);

// name made absolute against workingDirectory (a relative name given on the command
// line); an absolute or empty name is returned as it is.
std::string AbsoluteStartPath(const std::string& name, const std::string& workingDirectory);

// Read-only state of the first open: with "/e" a viewer; otherwise an editor for a file
// in the mailer's out folder and a viewer for everything else.
bool InitialReadOnly(bool editSwitchGiven, std::string_view path);

// Window icon at start-up: the editing icon for "/e" or a compose file; otherwise the
// alternative icon unless the executable has one of the program's own names.
platform::WindowIcon StartIcon(bool editIcon, bool compose, std::string_view executablePath);

}  // namespace varnel::app
