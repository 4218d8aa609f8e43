#include "formats/CsvPoints.h"

#include "formats/FileIo.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace {

/// One single-precision value after optional white space; advances p past it.
bool readValue(const char*& p, const char* end, float& value)
{
    while (p < end && std::isspace(static_cast<unsigned char>(*p))) ++p;
    if (p < end && *p == '+') ++p;   // from_chars takes no leading plus
    auto [next, ec] = std::from_chars(p, end, value);
    if (ec != std::errc() || !std::isfinite(value)) return false;
    p = next;
    return true;
}

} // namespace

std::vector<PointXYZ> parseCsvPoints(std::string_view text)
{
    std::vector<PointXYZ> points;
    const char* p = text.data();
    const char* const end = p + text.size();
    for (;;) {
        float v[3];
        for (int k = 0; k < 3; ++k) {
            if (!readValue(p, end, v[k])) return points;
            if (k < 2) {
                if (p == end) return points;
                ++p;   // the separator
            }
        }
        points.push_back({double(v[0]), double(v[1]), double(v[2])});
    }
}

std::optional<RealGrid> readCsvPoints(const std::string& path, int rows, int columns, Reporter& reporter)
{
    auto bytes = fileio::readInputFile(path, reporter);
    if (!bytes) return std::nullopt;
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    return placePoints(parseCsvPoints(text), rows, columns, reporter);
}
