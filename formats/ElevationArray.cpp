#include "formats/ElevationArray.h"

#include "app/core/Reporter.h"
#include "formats/FileIo.h"
#include "formats/NumberScan.h"

#include <charconv>

namespace {

/// Appends v right-aligned in width characters (wider values are written whole).
void appendRight(std::string& out, std::int64_t v, int width)
{
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    const int len = int(res.ptr - buf);
    if (len < width) out.append(std::size_t(width - len), ' ');
    out.append(buf, std::size_t(len));
}

} // namespace

std::optional<ElevationArrayFile> parseElevationArray(std::string_view text)
{
    NumberScan scan(text);
    auto rows = scan.nextInt();
    auto columns = rows ? scan.nextInt() : std::nullopt;
    auto kind = columns ? scan.nextInt() : std::nullopt;
    if (!kind || *rows < 1 || *columns < 1) return std::nullopt;
    // Every value takes at least one character and one separator (the last excepted):
    // a count the text cannot hold is refused before the grid is allocated.
    const std::int64_t count = std::int64_t(*rows) * std::int64_t(*columns);
    if (count > (std::int64_t(text.size()) + 1) / 2) return std::nullopt;
    ElevationArrayFile file{IntGrid(*rows, *columns), *kind};
    for (std::int32_t& cell : file.grid.cells()) {
        auto v = scan.nextInt();
        if (!v) return std::nullopt;
        cell = *v;
    }
    return file;
}

std::optional<ElevationArrayFile> readElevationArray(const std::string& path, Reporter& reporter)
{
    auto bytes = fileio::readInputFile(path, reporter);
    std::optional<ElevationArrayFile> file;
    if (bytes) file = parseElevationArray(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (!file) reporter.log(kElevationFileFailedLine);
    return file;
}

std::string formatElevationArray(const IntGrid& grid, std::int32_t kindWord)
{
    std::string out;
    out.reserve((grid.size() + 3) * 10 + std::size_t(grid.rows()) + 1);
    appendRight(out, grid.rows(), 10);
    appendRight(out, grid.cols(), 10);
    appendRight(out, kindWord, 10);
    out.push_back('\n');
    for (int r = 0; r < grid.rows(); ++r) {
        for (std::int32_t v : grid.rowSpan(r)) appendRight(out, v, 10);
        out.push_back('\n');
    }
    return out;
}

bool writeElevationArray(const std::string& path, const IntGrid& grid, std::int32_t kindWord, Reporter& reporter)
{
    return fileio::writeOutputFile(path, formatElevationArray(grid, kindWord), reporter);
}

std::string formatIndexArray(const IntGrid& grid)
{
    std::string out;
    out.reserve(grid.size() * 20);
    for (int r = 0; r < grid.rows(); ++r)
        for (int c = 0; c < grid.cols(); ++c) {
            appendRight(out, r, 0);
            appendRight(out, c, 5);
            appendRight(out, grid(r, c), 8);
            out.push_back('\n');
        }
    return out;
}

bool writeIndexArray(const std::string& path, const IntGrid& grid, Reporter& reporter)
{
    return fileio::writeOutputFile(path, formatIndexArray(grid), reporter);
}
