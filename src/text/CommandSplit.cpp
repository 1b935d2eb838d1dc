// Shell-like word splitting without expansion.
#include "text/CommandSplit.h"

#include "text/Sjis.h"

namespace varnel::text {

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool Fail(std::vector<std::string>& words, std::string* error, const char* why) {
    words.clear();
    if (error)
        *error = why;
    return false;
}

}  // namespace

bool SplitCommand(std::string_view s, std::vector<std::string>& words, std::string* error) {
    words.clear();
    std::string word;
    bool inWord = false;  // a word has started (possibly empty, from "")
    enum class Quote { None, Single, Double } quote = Quote::None;

    std::size_t i = 0;
    while (i < s.size()) {
        const std::size_t len = CharLengthAt(s, i);
        if (len == 2) {
            word.append(s.substr(i, 2));
            inWord = true;
            i += 2;
            continue;
        }
        const char c = s[i];
        switch (quote) {
            case Quote::Single:
                if (c == '\'')
                    quote = Quote::None;
                else
                    word += c;
                ++i;
                continue;
            case Quote::Double:
                if (c == '"') {
                    quote = Quote::None;
                    ++i;
                } else if (c == '\\' && i + 1 < s.size() &&
                           (s[i + 1] == '"' || s[i + 1] == '\\' || s[i + 1] == '$' ||
                            s[i + 1] == '`')) {
                    word += s[i + 1];
                    i += 2;
                } else {
                    word += c;
                    ++i;
                }
                continue;
            case Quote::None:
                break;
        }
        if (IsSeparator(c)) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
            ++i;
        } else if (c == '\'' || c == '"') {
            quote = c == '\'' ? Quote::Single : Quote::Double;
            inWord = true;
            ++i;
        } else if (c == '\\') {
            if (i + 1 >= s.size())
                return Fail(words, error, "trailing backslash");
            const std::size_t next = CharLengthAt(s, i + 1);
            word.append(s.substr(i + 1, next));
            inWord = true;
            i += 1 + next;
        } else {
            word += c;
            inWord = true;
            ++i;
        }
    }
    if (quote != Quote::None)
        return Fail(words, error, "unterminated quote");
    if (inWord)
        words.push_back(std::move(word));
    return true;
}

}  // namespace varnel::text
