// The tile-set finder on an arbitrary list file: names, blank lines, missing and odd-sized files.
#include "app/Reporter.h"
#include "app/TileSet.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/fuzz_tilelist." + std::to_string(::getpid()) + ".txt";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    NullReporter quiet;
    TileSet::find(path, quiet);
    return 0;
}
