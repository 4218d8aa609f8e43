// The JPEG decoder of the picture loader on arbitrary bytes (pictures up to 4 M pixels).
#include "formats/JpegReader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    decodeJpeg(std::span<const std::uint8_t>(data, size), std::int64_t(1) << 22);
    return 0;
}
