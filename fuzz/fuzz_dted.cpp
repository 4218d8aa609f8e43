// The DTED0 and DTED1 readers and the corner rule on arbitrary bytes. The
// 1201 x 1201 DTED1 grid is only built for inputs that announce level 1 (UHL
// digit '1' at byte 47), so that the other runs stay fast.
#include "app/core/Reporter.h"
#include "formats/Dted.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NullReporter quiet;
    const std::span<const std::uint8_t> file(data, size);
    if (size > 47 && data[47] == '1') decodeDted1Tile(file, quiet);
    else dtedTileFromProfiles(readDted0Profiles(file, quiet));
    readDtedCorner(file, quiet);
    return 0;
}
