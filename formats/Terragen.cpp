#include "formats/Terragen.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "formats/ExportScaling.h"
#include "formats/FileIo.h"

#include <cstring>

namespace {

void putTag(std::vector<std::uint8_t>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + std::strlen(tag));
}

} // namespace

std::optional<std::vector<std::uint8_t>> encodeTerragen(const IntGrid& heights, std::int32_t heightScale,
                                                        Reporter& reporter)
{
    const int rows = heights.rows(), cols = heights.cols();
    if (!fitsSixteenBitSize(rows, cols, reporter)) return std::nullopt;
    if (!terragenScaleFits(heightScale)) {
        reporter.log(kTerragenScaleLine);
        return std::nullopt;
    }
    const LinearScale scale = exportScale(heights, 32000.0f, reporter, ScaleLines::Terragen);

    std::vector<std::uint8_t> out;
    out.reserve(48 + heights.size() * 2 + 4);
    putTag(out, "TERRAGENTERRAIN ");
    putTag(out, "SIZE");
    fileio::putLittleEndian16(out, (rows < cols ? rows : cols) - 1);
    fileio::putLittleEndian16(out, 0);
    putTag(out, "XPTS");
    fileio::putLittleEndian16(out, cols);
    fileio::putLittleEndian16(out, 0);
    putTag(out, "YPTS");
    fileio::putLittleEndian16(out, rows);
    fileio::putLittleEndian16(out, 0);
    putTag(out, "ALTW");
    fileio::putLittleEndian16(out, heightScale);
    fileio::putLittleEndian16(out, 0);
    for (std::int32_t v : heights.cells()) fileio::putLittleEndian16(out, scale(v));
    putTag(out, "EOF ");
    return out;
}

bool saveTerragen(const std::string& path, const RealGrid& solution, std::int32_t heightScale, Reporter& reporter)
{
    reporter.log(formatSignificant(gridops::minimum(solution)));
    reporter.log(formatSignificant(gridops::maximum(solution)));
    RecordingLines lines;
    const auto bytes = encodeTerragen(gridops::truncToIntGrid(solution), heightScale, lines);
    if (!bytes) {
        lines.replayTo(reporter);
        return false;
    }
    if (!fileio::writeOutputFile(path, *bytes, reporter)) return false;
    lines.replayTo(reporter);
    return true;
}
