// Server side of the command channel: what a listener answers to one execute.
#pragma once

#include <functional>
#include <string>

namespace varnel::platform {

// The answer to one execute, and the work to do once the answer has been sent. Work
// that may ask the user or send commands itself goes into afterAnswer, so that the
// client is never kept waiting on it (and two programs never wait on each other).
struct ExecuteResult {
    bool accepted = false;
    std::function<void()> afterAnswer;
};

using ExecuteHandler = std::function<ExecuteResult(const std::string& macro)>;

}  // namespace varnel::platform
