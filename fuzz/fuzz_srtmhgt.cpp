// The height-file reader and the tile name rule on arbitrary bytes.
#include "app/core/Reporter.h"
#include "formats/SrtmHgt.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NullReporter quiet;
    decodeSrtmTile({data, size}, quiet);
    parseSrtmTileName(std::string(reinterpret_cast<const char*>(data), size < 64 ? size : 64), quiet);
    return 0;
}
