// Decode commands: decoded JIS text to a file and the outside viewer.
#include "mail/DecodeCommand.h"

#include "mail/RawMailDecoder.h"
#include "text/CommandSplit.h"
#include "text/Message.h"

namespace varnel::mail {
namespace {

constexpr text::Message kCannotWrite{"Cannot write the decoded text: %s",
                                     "デコードしたテキストを書き込めません: %s"};
constexpr text::Message kBadCommand{"The viewer setting (TesraExe) cannot be read: %s",
                                    "表示プログラム (TesraExe) の設定を読めません: %s"};
constexpr text::Message kCannotStart{"Cannot start the viewer: %s",
                                     "表示プログラムを起動できません: %s"};

DecodeCommandResult Run(const std::vector<std::string>& editorText, bool zenkaku,
                        const DecodeViewer& viewer) {
    DecodeCommandResult r;
    r.lines = DecodeRawMail(editorText, zenkaku);
    std::string bytes;
    for (const auto& l : r.lines) {
        bytes += l;
        bytes += "\r\n";
    }
    std::string error;
    if (!viewer.dir.WriteFile("_varnel.jis", bytes, error)) {
        r.message = kCannotWrite.Format(viewer.englishMenu, error);
        return r;
    }
    r.jisFile = viewer.dir.FilePath("_varnel.jis");
    std::vector<std::string> argv;
    if (!text::SplitCommand(viewer.tesraExe, argv, &error)) {
        r.message = kBadCommand.Format(viewer.englishMenu, error);
        return r;
    }
    // Without a viewer the decoded text is read in the window; that is no failure.
    if (argv.empty() || argv[0].empty()) {
        r.status = DecodeCommandResult::Status::Done;
        return r;
    }
    argv.push_back(r.jisFile);
    if (!viewer.launcher.Start(argv, error)) {
        r.message = kCannotStart.Format(viewer.englishMenu, error);
        return r;
    }
    r.status = DecodeCommandResult::Status::Done;
    return r;
}

}  // namespace

DecodeCommandResult Decode1Click(const std::vector<std::string>& editorText,
                                 const DecodeViewer& viewer) {
    return Run(editorText, false, viewer);
}

DecodeCommandResult DecodeZenkaku1Click(const std::vector<std::string>& editorText,
                                        bool hasSelection, const DecodeViewer& viewer) {
    if (hasSelection) {
        DecodeCommandResult r;
        r.status = DecodeCommandResult::Status::Skipped;
        return r;
    }
    return Run(editorText, true, viewer);
}

}  // namespace varnel::mail
