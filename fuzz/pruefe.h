#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property ends the fuzz run with the input that broke it.
inline void pruefe(bool bedingung, const char* was)
{
    if (!bedingung) {
        std::fprintf(stderr, "Verletzt: %s\n", was);
        std::abort();
    }
}
