// The ASTER DEM HDF reader on arbitrary bytes.
#include "app/core/Reporter.h"
#include "formats/AsterHdf.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NullReporter quiet;
    parseAsterHdf({data, size}, quiet);
    return 0;
}
