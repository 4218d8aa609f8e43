// The ER Mapper tile reader: the input as it is (size test) and placed at the
// start of a file of the valid size (float decoding).
#include "app/core/Reporter.h"
#include "formats/ErMapper.h"

#include <algorithm>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NullReporter quiet;
    decodeErMapperTile({data, size}, quiet);
    std::vector<std::uint8_t> tile(ermapper::kFileSize, 0);
    std::copy_n(data, std::min(size, tile.size()), tile.begin());
    if (auto grid = decodeErMapperTile(tile, quiet)) rawValueColours(*grid);
    return 0;
}
