// The one way a fuzz target reports that its property failed: the property and its line on the error
// output, then an abort, which libFuzzer keeps as a finding.
#pragma once
#include <cstdio>
#include <cstdlib>

#define PROPERTY(holds)                                                                          \
    do {                                                                                      \
        if (!(holds)) {                                                                       \
            std::fprintf(stderr, "property failed at %s:%d: %s\n", __FILE__, __LINE__, #holds); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (false)
