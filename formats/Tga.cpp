#include "formats/Tga.h"

#include "app/core/GridOps.h"
#include "formats/ExportScaling.h"
#include "formats/FileIo.h"

std::optional<std::vector<std::uint8_t>> encodeTga(const IntGrid& heights, TgaKind kind, Reporter& reporter)
{
    if (!fitsSixteenBitSize(heights.rows(), heights.cols(), reporter)) return std::nullopt;
    std::vector<std::uint8_t> out(18, 0);
    out.reserve(18 + heights.size() * 3);
    out[2] = 2;
    out[12] = std::uint8_t(heights.cols() & 0xFF);
    out[13] = std::uint8_t(heights.cols() >> 8 & 0xFF);
    out[14] = std::uint8_t(heights.rows() & 0xFF);
    out[15] = std::uint8_t(heights.rows() >> 8 & 0xFF);
    out[16] = 24;
    const bool pov = kind == TgaKind::PovRay;
    const LinearScale scale = exportScale(heights, pov ? 65535.0f : 255.0f, reporter, ScaleLines::Tga);
    for (std::int32_t v : heights.cells()) {
        const std::int32_t h = scale(v);
        if (pov) {
            out.push_back(std::uint8_t(h & 0xFF));
            out.push_back(std::uint8_t(h >> 8 & 0xFF));
            out.push_back(std::uint8_t(h >> 16 & 0xFF));
        } else {
            const std::uint8_t g = std::uint8_t(h & 0xFF);
            out.insert(out.end(), {g, g, g});
        }
    }
    return out;
}

bool saveTga(const std::string& path, const RealGrid& solution, TgaKind kind, Reporter& reporter)
{
    RecordingLines lines;
    const auto bytes = encodeTga(gridops::truncToIntGrid(solution), kind, lines);
    if (!bytes) {
        lines.replayTo(reporter);
        return false;
    }
    if (const std::string problem = fileio::replaceFile(path, *bytes); !problem.empty()) {
        reporter.log(kTgaOpenFailedLine);
        reporter.log(path + ": " + problem);
        return false;
    }
    lines.replayTo(reporter);
    reporter.log("  ");
    reporter.log("File saved.");
    return true;
}
