// Sends keystroke macros to the foreground window through the key sink.
#pragma once

#include <string_view>

#include "platform/KeySink.h"
#include "platform/Prompter.h"

namespace varnel::link {

class KeystrokeSender {
  public:
    KeystrokeSender(platform::KeySink& sink, platform::Prompter& prompter)
        : sink_(sink), prompter_(prompter) {}

    // True when the whole macro was parsed and its keys delivered. The sink returns
    // once the receiver has processed the keys, so the wait flag is always honoured.
    // Problems in the macro are shown to the user; the keys before a missing closing
    // brace are still sent, with every held modifier released.
    bool SendKeys(std::string_view macro, bool wait);

  private:
    platform::KeySink& sink_;
    platform::Prompter& prompter_;
};

}  // namespace varnel::link
