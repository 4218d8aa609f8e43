#include "formats/CsvPoints.h"

#include "app/core/Reporter.h"
#include "formats/FileIo.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <utility>

namespace {

bool isSeparator(char c) { return c == ',' || c == ';' || c == '|' || c == ' ' || c == '\t' || c == '\r'; }

/// The fields of one line: runs of characters between separators, a pair of double
/// quotes around a field removed.
void splitFields(std::string_view line, std::vector<std::string_view>& fields)
{
    fields.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isSeparator(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !isSeparator(line[i])) ++i;
        std::string_view f = line.substr(start, i - start);
        if (f.size() >= 2 && f.front() == '"' && f.back() == '"') f = f.substr(1, f.size() - 2);
        if (!f.empty()) fields.push_back(f);
    }
}

/// The whole field as a finite single-precision value.
std::optional<float> valueOf(std::string_view f)
{
    if (!f.empty() && f.front() == '+') f.remove_prefix(1);   // from_chars takes no leading plus
    float v = 0.0f;
    const auto [end, ec] = std::from_chars(f.data(), f.data() + f.size(), v);
    if (ec != std::errc() || end != f.data() + f.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

bool sameName(std::string_view a, char b)
{
    return a.size() == 1 && std::toupper(static_cast<unsigned char>(a[0])) == b;
}

/// The columns a header line names X, Y and Z; the first three when it does not name all three.
std::array<std::size_t, 3> namedColumns(const std::vector<std::string_view>& header)
{
    std::array<std::size_t, 3> columns{};
    const char names[3] = {'X', 'Y', 'Z'};
    for (int k = 0; k < 3; ++k) {
        const auto it = std::find_if(header.begin(), header.end(), [&](std::string_view f) { return sameName(f, names[k]); });
        if (it == header.end()) return {0, 1, 2};
        columns[std::size_t(k)] = std::size_t(it - header.begin());
    }
    return columns;
}

} // namespace

CsvPointsRead readCsvText(std::string_view text)
{
    CsvPointsRead out;
    std::array<std::size_t, 3> columns{0, 1, 2};
    bool firstLine = true;
    std::size_t lineNumber = 0;
    std::vector<std::string_view> fields;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        splitFields(text.substr(at, end - at), fields);
        at = end + 1;
        ++lineNumber;
        if (fields.empty()) continue;
        if (std::exchange(firstLine, false) &&
            !std::all_of(fields.begin(), fields.end(), [](std::string_view f) { return bool(valueOf(f)); })) {
            columns = namedColumns(fields);   // a header line: its names choose the columns
            continue;
        }
        PointXYZ p;
        double* v[3] = {&p.x, &p.y, &p.z};
        for (int k = 0; k < 3; ++k) {
            const std::size_t c = columns[std::size_t(k)];
            const auto value = c < fields.size() ? valueOf(fields[c]) : std::nullopt;
            if (!value) {
                if (out.points.empty())
                    out.problem = "No points read: line " + std::to_string(lineNumber) + " holds no number in column " +
                                  std::to_string(c + 1) + ".";
                return out;
            }
            *v[k] = double(*value);
        }
        out.points.push_back(p);
    }
    if (out.points.empty())
        out.problem = firstLine ? "No points read: the file holds no line of text."
                                : "No points read: the file holds only a header line.";
    return out;
}

std::vector<PointXYZ> parseCsvPoints(std::string_view text) { return readCsvText(text).points; }

std::optional<RealGrid> readCsvPoints(const std::string& path, int rows, int columns, Reporter& reporter)
{
    auto bytes = fileio::readInputFile(path, reporter);
    if (!bytes) return std::nullopt;
    const CsvPointsRead read = readCsvText(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    auto grid = placePoints(read.points, rows, columns, reporter);
    if (!grid) reporter.log(read.problem);
    return grid;
}
