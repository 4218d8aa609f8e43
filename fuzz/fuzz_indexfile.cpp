// The index-file reader (counting, extents, rescaling, rasterising) on arbitrary bytes.
#include "app/core/Reporter.h"
#include "formats/IndexFile.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NullReporter reporter;
    parseIndexFile(std::string_view(reinterpret_cast<const char*>(data), size), reporter);
    return 0;
}
