// The Decode and Decode Zenkaku commands: decode the raw mail text, write it to
// "_varnel.jis" in the private temporary directory and open it in the viewer TesraExe.
#pragma once

#include <string>
#include <vector>

#include "mail/PrivateTempDir.h"
#include "platform/Launcher.h"

namespace varnel::mail {

struct DecodeViewer {
    platform::Launcher& launcher;
    const PrivateTempDir& dir;
    std::string tesraExe;  // the TesraExe setting: program and arguments, shell-like quoting
    bool englishMenu = false;
};

struct DecodeCommandResult {
    enum class Status { Done, Skipped, Failed } status = Status::Failed;
    // The decoded text, for a read-only view: it is JIS, never to be saved over the mail
    // or draft it came from, and it does not change the document's modified state.
    std::vector<std::string> lines;
    std::string jisFile;  // the file handed to the viewer
    std::string message;  // for the user (UTF-8) when the viewer could not be reached
};

DecodeCommandResult Decode1Click(const std::vector<std::string>& editorText,
                                 const DecodeViewer& viewer);

// Does nothing (Skipped) while the editor has a selection.
DecodeCommandResult DecodeZenkaku1Click(const std::vector<std::string>& editorText,
                                        bool hasSelection, const DecodeViewer& viewer);

}  // namespace varnel::mail
