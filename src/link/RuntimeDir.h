// The private per-user directory that holds the command channel's sockets.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace varnel::link {

// $VARNEL_RUNTIME_DIR when set and not empty, else $XDG_RUNTIME_DIR/varnel, else
// /tmp/varnel-UID. The arguments are the two variables' values (nullptr when unset).
std::string RuntimeDirFor(const char* varnelRuntimeDir, const char* xdgRuntimeDir, uid_t uid);

// Creates dir (mode 0700) when missing; an existing one must be a real directory
// owned by uid, and is narrowed to 0700 when others could enter it (notice then says
// so: others may have put files there). On failure returns false with a readable reason.
bool EnsurePrivateDir(const std::string& dir, uid_t uid, std::string& error,
                      std::string* notice = nullptr);

// RuntimeDirFor the process environment and real uid, made sure of; nullopt with
// error set when the directory cannot be used.
std::optional<std::string> OpenRuntimeDir(std::string& error, std::string* notice = nullptr);

// What the window tells the user about its channel, once: error is why there is no
// channel (or no listening), notice what was found and mended; empty when both are.
std::string ChannelProblemText(const std::string& error, const std::string& notice,
                               bool englishMenu);

// True for a service or topic name that can stand in a socket name: letters, digits,
// "_" and "-", at most 64 of them.
bool IsChannelName(std::string_view name);

// lowercase(service) + "." + lowercase(topic), e.g. "pelk.command".
std::string SocketName(std::string_view service, std::string_view topic);

}  // namespace varnel::link
