// The LAS point reader and the point placement on arbitrary bytes.
#include "app/core/Reporter.h"
#include "formats/LasPoints.h"

#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NullReporter quiet;
    if (const auto points = parseLasPoints(std::span<const std::uint8_t>(data, size), quiet)) {
        placePoints(*points, 6, 9, quiet);
        placePoints(*points, 1, 1, quiet);
    }
    return 0;
}
