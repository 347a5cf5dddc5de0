#include "FuzzChecks.h"

#include <cstdio>
#include <cstdlib>

namespace verdaxil::fuzz {

void require(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

} // namespace verdaxil::fuzz
