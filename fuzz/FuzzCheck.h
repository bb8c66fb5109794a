// What a fuzz target asserts: a broken property stops the run with a line that
// names it, so libFuzzer keeps the input as a finding.
#pragma once

#include <cstdio>
#include <cstdlib>

#define KW_FUZZ_REQUIRE(cond, what)                                                                \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "fuzz property broken: %s (%s) at %s:%d\n", what, #cond,          \
                         __FILE__, __LINE__);                                                      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)
