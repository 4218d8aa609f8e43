// The LISA inspection on arbitrary bytes.
#include "app/core/Reporter.h"
#include "formats/LisaFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NullReporter reporter;
    inspectLisaBytes(std::span<const std::uint8_t>(data, size), reporter);
    return 0;
}
