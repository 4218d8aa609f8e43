// The tile-set finder on an arbitrary list file: names, blank lines, missing and odd-sized files.
#include "app/core/Reporter.h"
#include "app/TileSet.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/fuzz_tilelist." + std::to_string(::getpid()) + ".txt";
    static const int removeAtExit = std::atexit([] { std::remove(path.c_str()); });
    (void)removeAtExit;
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    NullReporter quiet;
    TileSet::find(path, quiet);
    return 0;
}
