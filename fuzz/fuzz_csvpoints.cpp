// The CSV point reader and the point placement on arbitrary bytes.
#include "app/core/Reporter.h"
#include "formats/CsvPoints.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NullReporter quiet;
    const auto points = parseCsvPoints(std::string_view(reinterpret_cast<const char*>(data), size));
    placePoints(points, 7, 5, quiet);
    placePoints(points, 1, 1, quiet);
    return 0;
}
