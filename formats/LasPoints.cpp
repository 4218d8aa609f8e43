#include "formats/LasPoints.h"

#include "app/core/Reporter.h"
#include "formats/FileIo.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr std::size_t kHeaderBytesUsed = 179;   // through the Z offset
constexpr std::size_t kRecordBytesUsed = 12;    // X, Y, Z

/// Logs the single bytes of a little-endian field, low byte first.
void logBytes(const fileio::Bytes& b, std::size_t at, std::size_t count, Reporter& reporter)
{
    static const char* const names[4][4] = {
        {"lowByte is:  "},
        {"lowByte is:  ", "highByte is:  "},
        {},
        {"lowByte is:  ", "secondByte is:  ", "thirdByte is:  ", "highByte is:  "},
    };
    for (std::size_t i = 0; i < count; ++i) reporter.log(names[count - 1][i] + std::to_string(*b.u8(at + i)));
}

std::optional<std::vector<PointXYZ>> refuse(Reporter& reporter)
{
    reporter.notice(kNotLasCaption, kNotLasMessage);
    return std::nullopt;
}

/// The number of point records: the legacy count, or for LAS 1.4 and later with a
/// legacy count of 0 the 64-bit count of the extended header.
std::uint64_t headerPointCount(const fileio::Bytes& b, std::uint32_t legacyCount)
{
    if (legacyCount != 0) return legacyCount;
    const auto major = b.u8(24), minor = b.u8(25);
    const auto headerSize = b.le16u(94);
    if (!major || !minor || !headerSize || *major != 1 || *minor < 4 || *headerSize < 255) return 0;
    const auto low = b.le32u(247), high = b.le32u(251);
    if (!low || !high) return 0;
    return std::uint64_t(*high) << 32 | *low;
}

} // namespace

std::optional<std::vector<PointXYZ>> parseLasPoints(std::span<const std::uint8_t> bytes, Reporter& reporter)
{
    const fileio::Bytes b(bytes);
    if (!b.has(0, kHeaderBytesUsed) || std::memcmp(bytes.data(), "LASF", 4) != 0) {
        reporter.log(" Not a valid LAS file");
        return refuse(reporter);
    }
    reporter.log(" Valid Little Endian LAS file");

    const std::uint32_t pointOffset = *b.le32u(96);
    logBytes(b, 96, 4, reporter);
    reporter.log("Point Cloud Offset is:  " + std::to_string(pointOffset));
    reporter.log("Point Cloud Record Format is:  " + std::to_string(*b.u8(104)));
    const std::uint16_t recordLength = *b.le16u(105);
    logBytes(b, 105, 2, reporter);
    const std::uint32_t legacyCount = *b.le32u(107);
    logBytes(b, 107, 4, reporter);
    const double scale[3] = {*b.leDouble(131), *b.leDouble(139), *b.leDouble(147)};
    reporter.log("x Scale Factor is:  " + formatReal(scale[0]));
    reporter.log("y Scale Factor is:  " + formatReal(scale[1]));
    reporter.log("z Scale Factor is:  " + formatReal(scale[2]));
    const double offset[3] = {*b.leDouble(155), *b.leDouble(163), *b.leDouble(171)};
    auto finite = [](double v) { return std::isfinite(v); };

    if (recordLength < kRecordBytesUsed || pointOffset > bytes.size() ||
        !std::all_of(scale, scale + 3, finite) || !std::all_of(offset, offset + 3, finite))
        return refuse(reporter);

    const std::uint64_t available = (bytes.size() - pointOffset) / recordLength;
    const std::size_t count = std::size_t(std::min(headerPointCount(b, legacyCount), available));
    std::vector<PointXYZ> points;
    points.reserve(count);
    reporter.progressStart(0, int(std::min<std::size_t>(count, 2147483647)));
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = pointOffset + i * recordLength;
        const PointXYZ p{*b.le32(at) * scale[0] + offset[0], *b.le32(at + 4) * scale[1] + offset[1],
                         *b.le32(at + 8) * scale[2] + offset[2]};
        if (std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) points.push_back(p);
        reporter.progressStep();
    }
    reporter.progressHide();
    return points;
}

std::optional<RealGrid> readLasPoints(const std::string& path, int rows, int columns, Reporter& reporter)
{
    auto bytes = fileio::readInputFile(path, reporter);
    if (!bytes) return std::nullopt;
    auto points = parseLasPoints(*bytes, reporter);
    if (!points) return std::nullopt;
    return placePoints(*points, rows, columns, reporter);
}
