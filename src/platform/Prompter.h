// Message boxes and questions. Texts are UTF-8; the core picks the English or the
// Japanese wording before it asks.
#pragma once

#include <string>

namespace varnel::platform {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Severity { Information, Warning, Error, Question };
enum class Answer { Ok, Cancel, Yes, No };

class Prompter {
  public:
    virtual ~Prompter() = default;
    // Shows text with the given buttons and waits for the answer.
    virtual Answer Ask(const std::string& text, Buttons buttons, Severity severity) = 0;
    // Ask with a caption of its own instead of the program's name.
    virtual Answer AskTitled(const std::string& caption, const std::string& text, Buttons buttons,
                             Severity severity) {
        (void)caption;
        return Ask(text, buttons, severity);
    }
    // One-button notice.
    void Tell(const std::string& text, Severity severity = Severity::Information) {
        Ask(text, Buttons::Ok, severity);
    }
};

}  // namespace varnel::platform
