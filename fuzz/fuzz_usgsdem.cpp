// The USGS ASCII DEM reader on arbitrary bytes.
#include "app/core/Reporter.h"
#include "formats/UsgsDemReader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NullReporter quiet;
    UsgsDemGround ground;   // where the tile lies, read from the same bytes
    parseUsgsDem({data, size}, quiet, &ground);
    return 0;
}
