#include "formats/TextGrid.h"

#include "formats/FileIo.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

TextGridRead parseTextGrid(std::string_view text, int rows, int columns)
{
    TextGridRead out{RealGrid(rows, columns, 0.0), 0};
    double* cells = out.grid.data();
    const std::size_t wanted = out.grid.size();
    const char* p = text.data();
    const char* end = p + text.size();
    while (out.valuesRead < wanted) {
        while (p < end && std::isspace((unsigned char)*p)) ++p;
        if (p == end) break;
        if (*p == '+') ++p;   // from_chars takes no leading plus
        double v;
        auto [next, ec] = std::from_chars(p, end, v);
        if (ec != std::errc() || !std::isfinite(v) || (next < end && !std::isspace((unsigned char)*next))) break;
        cells[out.valuesRead++] = v;
        p = next;
    }
    return out;
}

std::optional<TextGridRead> readTextGrid(const std::string& path, int rows, int columns, Reporter& reporter)
{
    auto bytes = fileio::readInputFile(path, reporter);
    if (!bytes) return std::nullopt;
    return parseTextGrid(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), rows, columns);
}

std::string shortTextGridLine(const TextGridRead& read)
{
    if (read.valuesRead >= read.grid.size()) return {};
    return "The grid file holds " + std::to_string(read.valuesRead) + " numbers; rows x columns = " +
           std::to_string(read.grid.size()) + " are needed.";
}

std::string formatAsciiMatrix(const RealGrid& grid)
{
    std::string out;
    out.reserve(grid.size() * 10 + std::size_t(grid.rows()));
    char buf[400];
    for (int r = 0; r < grid.rows(); ++r) {
        const double* row = grid.row(r);
        for (int c = 0; c < grid.cols(); ++c) {
            auto res = std::to_chars(buf, buf + sizeof buf, row[c], std::chars_format::fixed, 4);
            const std::size_t len = std::size_t(res.ptr - buf);
            if (len < 10) out.append(10 - len, ' ');
            out.append(buf, len);
        }
        out.push_back('\n');
    }
    return out;
}

bool writeAsciiMatrix(const std::string& path, const RealGrid& grid, Reporter& reporter)
{
    return fileio::writeOutputFile(path, formatAsciiMatrix(grid), reporter);
}
