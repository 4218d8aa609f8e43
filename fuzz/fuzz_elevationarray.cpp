// The elevation-array reader on arbitrary bytes; what it reads must write back and read again unchanged.
#include "formats/ElevationArray.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto file = parseElevationArray(std::string_view(reinterpret_cast<const char*>(data), size));
    if (file && file->grid.size() <= 4096) {
        auto again = parseElevationArray(formatElevationArray(file->grid, file->kindWord));
        // Only values of at most ten characters are separated in the written text.
        bool narrow = true;
        for (std::int32_t v : file->grid.cells()) narrow = narrow && v < 1000000000;
        narrow = narrow && file->kindWord < 1000000000;
        if (narrow && (!again || again->grid != file->grid || again->kindWord != file->kindWord)) std::abort();
    }
    return 0;
}
