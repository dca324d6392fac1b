#pragma once

// A property the fuzzed code must keep: a crash the fuzzer reports and keeps
// the input of, also in builds without assertions.
inline void check(bool holds)
{
    if (!holds)
        __builtin_trap();
}
