#include "formats/SrtmHgt.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "app/core/TextNumbers.h"
#include "formats/FileIo.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

std::string srtmNameCharacters(const std::string& path)
{
    if (path.size() < 11) return {};
    return path.substr(path.size() - 11, 7);
}

TileCorner parseSrtmTileName(const std::string& path, Reporter& reporter)
{
    const std::string name = srtmNameCharacters(path);
    reporter.log(name);
    TileCorner corner;
    const double latitudeSign = !name.empty() && name[0] == 'N' ? 1.0 : -1.0;
    const double longitudeSign = name.size() > 3 && name[3] == 'E' ? 1.0 : -1.0;
    if (auto degrees = name.size() == 7 ? parseRealText(name.substr(4, 3)) : std::nullopt)
        corner.longitude = *degrees * longitudeSign + 0.0;   // + 0.0: never "-0"
    else
        reporter.notice("Conversion Error", srtm::kLongitudeMessage);
    if (auto degrees = name.size() == 7 ? parseRealText(name.substr(1, 2)) : std::nullopt)
        corner.latitude = *degrees * latitudeSign + 0.0;
    else
        reporter.notice("Conversion Error", srtm::kLatitudeMessage);
    reporter.log(formatReal(corner.longitude));
    reporter.log(formatReal(corner.latitude));
    return corner;
}

IntGrid decodeSampleRows(std::span<const std::uint8_t> bytes, std::size_t offset, int rows, int cols,
                         std::int32_t missing, Reporter& reporter)
{
    IntGrid grid(rows, cols, missing);
    // Samples [0, complete) lie wholly inside the bytes.
    const std::size_t available = offset < bytes.size() ? (bytes.size() - offset) / 2 : 0;
    const std::size_t complete = std::min(available, grid.size());
    const std::uint8_t* p = bytes.data() + (complete ? offset : 0);
    std::int32_t* cells = grid.data();
    reporter.progressStart(0, grid.rows());
    std::size_t i = 0;
    for (int r = 0; r < grid.rows(); ++r) {
        const std::size_t rowEnd = std::min(complete, std::size_t(r + 1) * std::size_t(grid.cols()));
        for (; i < rowEnd; ++i, p += 2) cells[i] = fileio::bigEndianInt16(p);
        reporter.progressStep();
    }
    reporter.progressHide();
    return grid;
}

int srtmTileSide(std::size_t byteCount)
{
    const std::size_t samples = byteCount / 2;
    auto n = std::size_t(std::sqrt(double(samples)));
    while (n * n > samples) --n;
    while ((n + 1) * (n + 1) <= samples) ++n;
    return n > std::size_t(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max() : int(n);
}

std::optional<IntGrid> decodeSrtmTile(std::span<const std::uint8_t> bytes, Reporter& reporter)
{
    const int n = srtmTileSide(bytes.size());
    if (n == 0) {
        reporter.log(srtm::kEmptyTileLine);
        return std::nullopt;
    }
    if (2 * std::size_t(n) * std::size_t(n) != bytes.size()) {   // cut short or padded: no square tile
        reporter.incompleteInput("SRTM file of " + std::to_string(bytes.size()) +
                                 " bytes is not a square tile of 2 x n x n bytes: no tile loaded.");
        return std::nullopt;
    }
    try {
        return decodeSampleRows(bytes, 0, n, n, 0, reporter);
    } catch (const std::bad_alloc&) {
        reporter.progressHide();
        reporter.log(srtm::kFailedLine);
        return std::nullopt;
    }
}

std::optional<IntGrid> readSrtmTile(const std::string& path, Reporter& reporter)
{
    const auto bytes = fileio::readInputFile(path, reporter);
    if (!bytes) return std::nullopt;
    return decodeSrtmTile(*bytes, reporter);
}

std::vector<std::uint8_t> encodeSrtmTile(const IntGrid& grid)
{
    std::vector<std::uint8_t> out;
    out.reserve(grid.size() * 2);
    for (std::int32_t v : grid.cells()) fileio::putBigEndian16(out, v);
    return out;
}

bool writeSrtmTile(const std::string& path, const IntGrid& grid, Reporter& reporter)
{
    return fileio::writeOutputFile(path, encodeSrtmTile(grid), reporter);
}

bool saveSrtmTile(const std::string& path, const IntGrid& tile, Reporter& reporter)
{
    return saveSrtmBytes(path, encodeSrtmTile(tile), reporter);
}

bool saveSrtmBytes(const std::string& path, std::span<const std::uint8_t> bytes, Reporter& reporter)
{
    reporter.log(path);
    return !path.empty() && fileio::writeOutputFile(path, bytes, reporter);
}

namespace {

/// The side of the tile a grid of R x C postings is padded to: 1201, 3601, or 0 when larger.
int paddedTileSide(int R, int C)
{
    if (R > srtm::kTile1 || C > srtm::kTile1) return 0;
    return R <= srtm::kTile3 && C <= srtm::kTile3 ? srtm::kTile3 : srtm::kTile1;
}

/// The side of the tile "Save SRTM" pads a solution to; 0 after "File size error." when larger.
int solutionTileSide(const RealGrid& solution, Reporter& reporter)
{
    const int n = paddedTileSide(solution.rows(), solution.cols());
    if (n == 0) reporter.log(srtm::kFileSizeErrorLine);
    return n;
}

/// Calls put(i, j, value) for the postings a solution gives its tile: row i of the tile is
/// solution row rows-1-i, values truncated toward zero.
template <class Put>
void forSolutionPostings(const RealGrid& solution, Put put)
{
    const int R = solution.rows(), C = solution.cols();
    for (int i = 0; i < R; ++i) {
        const double* src = solution.row(R - 1 - i);
        for (int j = 0; j < C; ++j) put(i, j, gridops::truncToInt(src[j]));
    }
}

} // namespace

std::optional<IntGrid> srtmTileFromSolution(const RealGrid& solution, Reporter& reporter)
{
    const int n = solutionTileSide(solution, reporter);
    if (n == 0) return std::nullopt;
    IntGrid out(n, n, 0);
    forSolutionPostings(solution, [&out](int i, int j, std::int32_t v) { out(i, j) = v; });
    return out;
}

std::optional<std::vector<std::uint8_t>> srtmBytesFromSolution(const RealGrid& solution, Reporter& reporter)
{
    const std::size_t n = std::size_t(solutionTileSide(solution, reporter));
    if (n == 0) return std::nullopt;
    std::vector<std::uint8_t> bytes(2 * n * n, 0);
    forSolutionPostings(solution, [&bytes, n](int i, int j, std::int32_t v) {
        std::uint8_t* p = bytes.data() + 2 * (std::size_t(i) * n + std::size_t(j));
        p[0] = std::uint8_t((v >> 8) & 0xFF);
        p[1] = std::uint8_t(v & 0xFF);
    });
    return bytes;
}

std::optional<IntGrid> srtmHeightfieldTile(const IntGrid& elevation, Reporter& reporter)
{
    const int R = elevation.rows(), C = elevation.cols();
    const int n = paddedTileSide(R, C);
    if (n == 0) {
        reporter.log(srtm::kHeightfieldTooLargeLine);
        return std::nullopt;
    }
    IntGrid out(n, n, 0);
    for (int i = 0; i < R; ++i) std::copy(elevation.row(i), elevation.row(i) + C, out.row(i));
    return out;
}
