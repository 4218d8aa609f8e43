// The ASCII z-value grid reader on arbitrary bytes.
#include "formats/TextGrid.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    parseTextGrid(text, 7, 5);
    parseTextGrid(text, 1, 1);
    return 0;
}
