// The command channel's client over Unix-domain sockets in the private runtime
// directory: one connection per execute, the macro and a NUL out, one answer byte in.
#pragma once

#include <string>
#include <string_view>

#include "platform/CommandChannel.h"

namespace varnel::link {

// A macro can travel when it is not empty and holds no CR, LF or NUL (the NUL ends
// it on the wire; a line break would split it for the receiver).
bool IsSendableMacro(std::string_view macro);

class UnixCommandChannel : public platform::CommandChannel {
  public:
    // runtimeDir: an existing private directory (OpenRuntimeDir). timeoutMs bounds the
    // whole exchange, so a hung server cannot freeze the caller.
    explicit UnixCommandChannel(std::string runtimeDir, int timeoutMs = 2000);

    // Delivered on "1"; Refused on "0", on a server of another user, on a server that
    // closed or did not answer in time; NoServer when nobody listens; Invalid when the
    // names or the macro cannot be sent (nothing is sent then).
    platform::Delivery Execute(const std::string& service, const std::string& topic,
                               const std::string& macro) override;

    std::string SocketPathFor(std::string_view service, std::string_view topic) const;

  private:
    std::string dir_;
    int timeoutMs_;
};

}  // namespace varnel::link
