// libFuzzer's entry point for the target whose check VERDAXIL_FUZZ_CHECK names.
#include "FuzzChecks.h"

#include <cstddef>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    verdaxil::fuzz::VERDAXIL_FUZZ_CHECK({data, size});
    return 0;
}
