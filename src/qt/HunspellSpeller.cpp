// Hunspell behind the speller seam. Words cross in CP932 and are converted to the
// dictionary's encoding (UTF-8 for the English dictionaries) here.
#include "qt/HunspellSpeller.h"

#include <filesystem>
#include <hunspell/hunspell.hxx>

#include "editor/ReplaceFile.h"
#include "text/Cp932.h"

namespace varnel::qt {

HunspellSpeller::HunspellSpeller() = default;
HunspellSpeller::~HunspellSpeller() = default;

bool HunspellSpeller::SetDictionary(const std::string& mainDic, const std::string& userDic) {
    std::error_code ec;
    if (mainDic.empty() || !std::filesystem::is_regular_file(mainDic + ".aff", ec) ||
        !std::filesystem::is_regular_file(mainDic + ".dic", ec))
        return false;
    hunspell_ = std::make_unique<Hunspell>((mainDic + ".aff").c_str(), (mainDic + ".dic").c_str());
    utf8_ = hunspell_->get_dict_encoding() == "UTF-8";
    std::string bytes, error;
    if (editor::ReplaceFileRead(userDic, bytes, error)) {
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find('\n', start);
            if (end == std::string::npos)
                end = bytes.size();
            std::string word = bytes.substr(start, end - start);
            if (!word.empty() && word.back() == '\r')
                word.pop_back();
            if (!word.empty())
                hunspell_->add(ToDictionary(word));
            start = end + 1;
        }
    }
    return true;
}

int HunspellSpeller::Alternatives(const std::string& word, std::vector<std::string>& suggestions) {
    suggestions.clear();
    if (!hunspell_)
        return -2;
    const std::string w = ToDictionary(word);
    if (hunspell_->spell(w))
        return 0;
    for (const std::string& s : hunspell_->suggest(w))
        suggestions.push_back(FromDictionary(s));
    return suggestions.empty() ? -1 : static_cast<int>(suggestions.size());
}

void HunspellSpeller::AddSpell(const std::string& word) {
    if (hunspell_)
        hunspell_->add(ToDictionary(word));
}

std::string HunspellSpeller::ToDictionary(const std::string& cp932) const {
    return utf8_ ? text::Cp932ToUtf8(cp932) : cp932;
}

std::string HunspellSpeller::FromDictionary(const std::string& text) const {
    return utf8_ ? text::Utf8ToCp932(text) : text;
}

platform::SpellerFactory HunspellSpeller::Factory() {
    return [](std::string&) -> std::unique_ptr<platform::Speller> {
        return std::make_unique<HunspellSpeller>();
    };
}

}  // namespace varnel::qt
