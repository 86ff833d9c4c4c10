#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// A finding: the message and an abort, so libFuzzer keeps the input that caused it.
[[noreturn]] inline void fuzzFailure(const std::string &what)
{
    std::fprintf(stderr, "fuzz finding: %s\n", what.c_str());
    std::abort();
}

inline void fuzzCheck(bool condition, const std::string &what)
{
    if (!condition)
        fuzzFailure(what);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);
