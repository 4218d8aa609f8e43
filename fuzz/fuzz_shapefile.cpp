// The shapefile contour reader on arbitrary bytes: two 16-bit lengths split the
// input into the ".shp", ".shx" and ".dbf" contents; a third value gives MAXSPAN
// (kept small so that each run stays fast).
#include "app/core/Reporter.h"
#include "formats/Shapefile.h"

#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 6) return 0;
    const std::size_t shpLength = std::min<std::size_t>(data[0] | data[1] << 8, size - 6);
    const std::size_t shxLength = std::min<std::size_t>(data[2] | data[3] << 8, size - 6 - shpLength);
    const int maxSpan = int(data[4] | data[5] << 8) % 400 - 20;
    const std::uint8_t* shp = data + 6;
    const std::uint8_t* shx = shp + shpLength;
    const std::uint8_t* dbf = shx + shxLength;
    NullReporter quiet;
    rasteriseShapefile({shp, shpLength}, {shx, shxLength}, {dbf, std::size_t(data + size - dbf)}, maxSpan, quiet);
    dbaseElevation({dbf, std::size_t(data + size - dbf)}, data[4]);
    return 0;
}
