// Client side of the command channel: one macro per execute, with its delivery known.
#pragma once

#include <string>

namespace varnel::platform {

enum class Delivery {
    Delivered,  // the server accepted the macro
    Refused,    // the server answered "0"
    NoServer,   // nobody listens on that service and topic
    Invalid,    // the macro was malformed and was not sent
};

class CommandChannel {
  public:
    virtual ~CommandChannel() = default;
    // Sends macro to service/topic (e.g. "Pelk"/"Command") and reports the outcome.
    virtual Delivery Execute(const std::string& service, const std::string& topic,
                             const std::string& macro) = 0;
};

}  // namespace varnel::platform
