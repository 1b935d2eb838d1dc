// Close query and close-time settings.
#include "app/CloseFlow.h"

#include "mail/MailNames.h"
#include "text/Message.h"
#include "text/Sjis.h"

namespace varnel::app {
namespace {

constexpr text::Message kSaveTemporary{
    "Save %s ?  The file will be lost if you select YES or NO during shutting down the "
    "Windows.  Select CANCEL to continue composing.",
    "%s を保存しますか？　Windowsを終了しようとしているときは「はい」または「いいえ」を選ぶと"
    "現在のファイルは失われます。編集を続けたい場合は「キャンセル」を選んでください"};
constexpr text::Message kSave{"Save %s ?", "%s を保存しますか?"};

bool EndsWithNoCase(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() &&
           text::ToLowerAscii(s.substr(s.size() - suffix.size())) == suffix;
}

}  // namespace

bool CloseQuery(const CloseQueryInput& in, platform::Prompter& prompter,
                const std::function<bool()>& save) {
    if (in.CloseWithoutAsking || !in.modified)
        return true;
    std::string name = mail::FileNameOf(in.CurrentMailFile);
    if (name.empty())
        name = "[Untitled]";
    const text::Message& question =
        EndsWithNoCase(in.CurrentMailFile, ".tmp") ? kSaveTemporary : kSave;
    switch (prompter.Ask(question.Format(in.EnglishMenu, name), platform::Buttons::YesNoCancel,
                         platform::Severity::Warning)) {
        case platform::Answer::Yes:
            return save();
        case platform::Answer::No:
            return true;
        default:
            return false;
    }
}

std::vector<SettingWrite> ClosingWrites(platform::WindowState state,
                                        const platform::WindowPlacement& p,
                                        const std::string& currentMailFile,
                                        const std::optional<std::string>& saveAsDir) {
    std::vector<SettingWrite> w;
    if (state == platform::WindowState::Normal) {
        w.push_back({"Window", "Left", std::to_string(p.left)});
        w.push_back({"Window", "Top", std::to_string(p.top)});
        w.push_back({"Window", "Height", std::to_string(p.height)});
        const bool compose = !currentMailFile.empty() && mail::IsComposeFile(currentMailFile);
        w.push_back({"Window", compose ? "EditWidth" : "Width", std::to_string(p.width)});
    }
    if (saveAsDir)
        w.push_back({"Location", "SaveAsDir", *saveAsDir});
    return w;
}

}  // namespace varnel::app
