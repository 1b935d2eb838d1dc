// Splitting one fuzzer input into several byte strings, and a check that fails loudly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::fuzzing {

// The input cut at NUL bytes into exactly n parts (missing ones empty, the last takes
// the rest with its NULs).
inline std::vector<std::string> Parts(const std::uint8_t* data, std::size_t size, std::size_t n) {
    std::string_view s(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> parts;
    while (parts.size() + 1 < n) {
        const std::size_t nul = s.find('\0');
        parts.emplace_back(s.substr(0, nul));
        s = nul == std::string_view::npos ? std::string_view() : s.substr(nul + 1);
    }
    parts.emplace_back(s);
    return parts;
}

// An oracle failure: reported and aborted, so that libFuzzer keeps the input.
inline void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "oracle failed: %s\n", what);
        std::abort();
    }
}

}  // namespace varnel::fuzzing
