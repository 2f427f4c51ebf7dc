// What every fuzz target includes: its entry point's types, and FUZZ_CHECK, which stops the
// fuzzer like a crash on a broken promise, with the reason and the input kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace quorvel::fuzz {
[[noreturn]] inline void fail(const char* where, int line, const std::string& what) {
    std::fprintf(stderr, "%s:%d: %s\n", where, line, what.c_str());
    std::abort();
}
}  // namespace quorvel::fuzz

#define FUZZ_CHECK(condition, what)                                          \
    do {                                                                     \
        if (!(condition)) ::quorvel::fuzz::fail(__FILE__, __LINE__, (what)); \
    } while (0)
