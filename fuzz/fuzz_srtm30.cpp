// The SRTM30 name rule and its sample decoding on arbitrary bytes. The first two
// bytes choose a small grid size so that each run stays fast; the decoding is
// the one the 6000 x 4800 tile uses.
#include "app/core/Reporter.h"
#include "formats/Srtm30.h"
#include "formats/SrtmHgt.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NullReporter quiet;
    parseSrtm30TileName(std::string(reinterpret_cast<const char*>(data), size < 64 ? size : 64), quiet);
    if (size < 2) return 0;
    decodeSampleRows({data + 2, size - 2}, 0, data[0] % 64, data[1] % 64, srtm30::kMissing, quiet);
    return 0;
}
