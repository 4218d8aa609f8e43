// The bitmap path of the picture loader on arbitrary bytes: the program's own header checks
// and the toolkit's reader, with a pixel limit (pictures up to 4 M pixels).
#include "app/core/Reporter.h"
#include "graphics/PictureFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NullReporter quiet;
    decodeBitmap(std::span<const std::uint8_t>(data, size), quiet, std::int64_t(1) << 22);
    return 0;
}
