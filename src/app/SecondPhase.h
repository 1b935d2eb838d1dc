// The second start-up phase, run on the first tick of Timer1: the rest of the settings,
// the mailer's whereabouts and the start counter.
#pragma once

#include "app/IniFile.h"
#include "text/Message.h"

namespace varnel::app {

// Shown once, on the start that finds the stored count at exactly 999.
inline constexpr text::Message kInvitation{"Varnel author is waiting for your mail.",
                                           "Varnelの作者はあなたの感想を待っています"};

struct InvocationCount {
    int previous = 0;  // InvokeCount as read
    bool showInvitation = false;
    bool written = false;  // the incremented count reached the file
};

// Reads InvokeCount of section "Window" (default 0) and writes it back plus one (it
// stops growing at the largest int rather than wrapping round).
InvocationCount CountInvocation(IniFile& ini);

}  // namespace varnel::app
