#include "formats/ErMapper.h"

#include "app/core/Reporter.h"
#include "formats/FileIo.h"
#include "formats/FloatSamples.h"

#include <new>

std::optional<IntGrid> decodeErMapperTile(std::span<const std::uint8_t> bytes, Reporter& reporter)
{
    reporter.log("File size is " + std::to_string(bytes.size()) + " bytes.");
    if (bytes.size() != ermapper::kFileSize) {
        reporter.log(ermapper::kNotErFileLine);
        return std::nullopt;
    }
    const fileio::Bytes file(bytes);
    try {
        IntGrid grid(ermapper::kRows, ermapper::kColumns);
        std::size_t at = ermapper::kHeaderBytes;
        for (std::int32_t& v : grid.cells()) {
            v = fileio::floatSampleToInt(*file.beFloat(at));
            at += 4;
        }
        return grid;
    } catch (const std::bad_alloc&) {
        reporter.log(ermapper::kNotErFileLine);
        return std::nullopt;
    }
}

std::optional<IntGrid> readErMapperTile(const std::string& path, Reporter& reporter)
{
    const auto bytes = fileio::readInputFile(path, reporter);
    if (!bytes) {
        reporter.log(ermapper::kNotErFileLine);
        return std::nullopt;
    }
    return decodeErMapperTile(*bytes, reporter);
}

IntGrid rawValueColours(const IntGrid& grid)
{
    IntGrid picture(grid.rows(), grid.cols());
    auto src = grid.cells();
    auto dst = picture.cells();
    for (std::size_t i = 0; i < src.size(); ++i) dst[i] = src[i] & 0xFFFFFF;
    return picture;
}
