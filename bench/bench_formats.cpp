// Reading and writing the everyday tiles: a 3601 x 3601 height file, a DTED1
// tile, a whole 6000 x 4800 SRTM30 tile, and a 1201 x 1201 USGS ASCII DEM
// written and read back; a 3601 x 3601 tile written as the writers write; and a million
// x y z text lines parsed. Each file is made once in a temporary folder.
#include "app/core/Reporter.h"
#include "formats/CsvPoints.h"
#include "formats/Dted.h"
#include "formats/FileIo.h"
#include "formats/Srtm30.h"
#include "formats/SrtmHgt.h"
#include "formats/UsgsDemReader.h"
#include "formats/UsgsDemWriter.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

class BenchFiles {
public:
    BenchFiles() : dir_(std::filesystem::temp_directory_path() / ("gridmend-bench-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(dir_);
    }
    ~BenchFiles() { std::error_code ec; std::filesystem::remove_all(dir_, ec); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }

private:
    std::filesystem::path dir_;
};

BenchFiles& files()
{
    static BenchFiles instance;
    return instance;
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

/// rows x cols big-endian samples of a smooth surface.
std::vector<std::uint8_t> sampleFile(int rows, int cols)
{
    IntGrid g(rows, cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) g(r, c) = (r * 3 + c * 7) % 3000 - 200;
    return encodeSrtmTile(g);
}

const std::string& hgtFile()
{
    static const std::string path = [] {
        const std::string p = files().path("N48W125.hgt");
        writeFile(p, sampleFile(3601, 3601));
        return p;
    }();
    return path;
}

const std::string& srtm30File()
{
    static const std::string path = [] {
        const std::string p = files().path("w140n40.dem");
        writeFile(p, sampleFile(srtm30::kRows, srtm30::kColumns));
        return p;
    }();
    return path;
}

const std::string& dted1File()
{
    static const std::string path = [] {
        std::vector<std::uint8_t> bytes(dted::kHeaderBytes, ' ');
        bytes[47] = '1';
        RealGrid solution(1201, 1201);
        for (int r = 0; r < 1201; ++r)
            for (int c = 0; c < 1201; ++c) solution(r, c) = (r * 5 + c) % 2500 - 10;
        const std::string p = files().path("n48_w125.dt1");
        writeFile(p, encodeDted1(solution, bytes));
        return p;
    }();
    return path;
}

const RealGrid& demSolution()
{
    static const RealGrid g = [] {
        RealGrid s(1201, 1201);
        for (int r = 0; r < 1201; ++r)
            for (int c = 0; c < 1201; ++c) s(r, c) = 200.5 + (r * 3 + c * 11) % 2800;
        return s;
    }();
    return g;
}

const UsgsDemGeoreference kGeoreference{"NAD-83", 500000, 4000000, 10, 30, 2, 2, 1.0f};

void BM_LoadHgt3601(benchmark::State& state)
{
    NullReporter quiet;
    const std::string& path = hgtFile();   // made before the timing
    for (auto _ : state) benchmark::DoNotOptimize(readSrtmTile(path, quiet));
}

void BM_LoadDted1(benchmark::State& state)
{
    NullReporter quiet;
    const std::string& path = dted1File();   // made before the timing
    for (auto _ : state) benchmark::DoNotOptimize(readDted1Tile(path, quiet));
}

void BM_LoadSrtm30Tile(benchmark::State& state)
{
    NullReporter quiet;
    const std::string& path = srtm30File();   // made before the timing
    for (auto _ : state) benchmark::DoNotOptimize(loadSrtm30Tile(path, quiet));
}

void BM_WriteUsgsDem1201(benchmark::State& state)
{
    NullReporter quiet;
    const std::string path = files().path("write.dem");
    for (auto _ : state) benchmark::DoNotOptimize(writeUsgsAsciiDem(path, kGeoreference, demSolution(), quiet));
}

/// A 3601 x 3601 tile (25.9 MB) written as every writer writes: a temporary beside it, flushed
/// to disk, renamed over the name.
void BM_WriteHgt3601(benchmark::State& state)
{
    const std::vector<std::uint8_t> bytes = sampleFile(3601, 3601);
    const std::string path = files().path("write.hgt");
    for (auto _ : state) benchmark::DoNotOptimize(fileio::replaceFile(path, bytes));
}

/// The same bytes written in place under the final name without a flush to disk (what a plain
/// stream does, and what an interruption can leave half written): the cost of the safety above.
void BM_WriteHgt3601InPlaceUnflushed(benchmark::State& state)
{
    const std::vector<std::uint8_t> bytes = sampleFile(3601, 3601);
    const std::string path = files().path("plain.hgt");
    for (auto _ : state) writeFile(path, bytes);
}

void BM_ReadUsgsDem1201(benchmark::State& state)
{
    NullReporter quiet;
    const std::string path = files().path("read.dem");
    writeUsgsAsciiDem(path, kGeoreference, demSolution(), quiet);
    for (auto _ : state) benchmark::DoNotOptimize(readUsgsDem(path, quiet));
}

void BM_ParseCsvPoints1M(benchmark::State& state)
{
    // A header naming the columns, then 1,000,000 lines of UTM coordinates with an extra column.
    std::string text = "\"X\",\"Y\",\"Z\",\"Intensity\"\r\n";
    for (int i = 0; i < 1000000; ++i)
        text += std::to_string(440000 + i % 1000) + "." + std::to_string(i % 100) + "," +
                std::to_string(3750000 + i / 1000) + ".25," + std::to_string(100 + i % 700) + ".5,17\r\n";
    for (auto _ : state) benchmark::DoNotOptimize(parseCsvPoints(text));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}

} // namespace

BENCHMARK(BM_ParseCsvPoints1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadHgt3601)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDted1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSrtm30Tile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteUsgsDem1201)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadUsgsDem1201)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteHgt3601)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteHgt3601InPlaceUnflushed)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
