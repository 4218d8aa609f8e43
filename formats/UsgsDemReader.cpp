#include "formats/UsgsDemReader.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "formats/FileIo.h"
#include "formats/UsgsDemTokens.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kQuadNameLength = 144;
constexpr std::size_t kFirstProfileByte = 1024;
constexpr std::size_t kProfileCountEnd = 864;   // record A's last column of the profile count
/// A real DEM holds several bytes per posting; a grid of more cells than this many
/// per byte of file cannot come from a genuine file.
constexpr std::size_t kMaxCellsPerByte = 8;
constexpr std::int32_t kVoid = -32767;

bool skipNumbers(DemTokenScanner& scanner, int count)
{
    for (int i = 0; i < count; ++i)
        if (!scanner.real()) return false;
    return true;
}

std::string_view trimRight(std::string_view t)
{
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t' || t.back() == '\r' || t.back() == '\n'))
        t.remove_suffix(1);
    return t;
}

/// The number standing in record A's columns [first, first + width) (1-based
/// columns); nothing when the file is shorter or the field holds no number.
std::optional<double> recordAField(std::string_view text, std::size_t first, std::size_t width)
{
    if (text.size() < first - 1 + width) return std::nullopt;
    return DemTokenScanner(text.substr(first - 1, width), 0).real();
}

/// A coordinate as plain decimal text with up to 15 significant digits.
std::string coordinateText(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

std::string fieldText(const std::optional<double>& v) { return std::to_string(v ? gridops::truncToInt(*v) : 0); }

/// Logs record A's values (each taken from its columns; a blank field logs 0) and
/// reads the profile count; false when the count cannot be read or is not positive.
bool readHeader(std::string_view text, Reporter& reporter, int& profileCount)
{
    if (text.size() < kQuadNameLength) return false;
    reporter.log("Quad name field is:  " + std::string(trimRight(text.substr(0, kQuadNameLength))));
    reporter.log("ground planametric coordinates is:  " + fieldText(recordAField(text, 529, 6)));
    reporter.log("Units code(elevation coordinates) is:  " + fieldText(recordAField(text, 535, 6)));
    reporter.log("Ground coordinates of four corners of DEM:  ");
    reporter.log(" ");
    for (std::size_t corner = 0; corner < 4; ++corner) {
        const auto x = recordAField(text, 547 + 48 * corner, 24), y = recordAField(text, 571 + 48 * corner, 24);
        reporter.log(coordinateText(x.value_or(0.0)) + "    " + coordinateText(y.value_or(0.0)));
    }
    reporter.log(" ");
    const auto minimum = recordAField(text, 739, 24), maximum = recordAField(text, 763, 24);
    const std::int32_t low = minimum ? gridops::truncToInt(*minimum) : 0, high = maximum ? gridops::truncToInt(*maximum) : 0;
    reporter.log("minimum elevation is:  " + std::to_string(low));
    reporter.log("maximum elevation is:  " + std::to_string(high));
    reporter.log("elevation range is:  " + std::to_string(std::int64_t(high) - low));
    const auto count = recordAField(text, 859, 6);
    if (!count) return false;
    profileCount = gridops::truncToInt(*count);
    reporter.log("rows is:  " + std::to_string(profileCount));
    return profileCount > 0;
}

/// Where the B records begin: byte 1024, or right after record A's line end when
/// record A stops short of 1024 characters with one after its profile count.
std::size_t firstProfileByte(std::string_view text)
{
    const std::size_t end = text.substr(0, kFirstProfileByte).find('\n', kProfileCountEnd);
    return end == std::string_view::npos ? kFirstProfileByte : end + 1;
}

/// One B record: its elevations, south to north, the ground y of the first one and its
/// local datum elevation.
struct Profile {
    std::vector<std::int32_t> values;
    double startX = 0.0;
    double startY = 0.0;
    double datum = 0.0;
};

/// Scans the B records; false when one is missing or malformed.
bool readProfiles(std::string_view text, int profileCount, Reporter& reporter, std::vector<Profile>& profiles)
{
    DemTokenScanner scanner(text, firstProfileByte(text));
    for (int p = 0; p < profileCount; ++p) {
        if (!skipNumbers(scanner, 2)) return false;   // row and column identifiers
        const auto m = scanner.integer();
        if (!m || *m < 0) return false;
        if (p == 0) reporter.log("columns is  :" + std::to_string(*m));
        if (!skipNumbers(scanner, 1)) return false;   // n
        const auto x = scanner.real(), y = scanner.real();
        if (!x || !y) return false;
        const auto datum = scanner.real();
        if (!datum || !skipNumbers(scanner, 2)) return false;   // minimum, maximum
        // Each elevation needs at least one character: refuse a count the rest cannot hold.
        if (std::size_t(*m) > text.size() - std::min(text.size(), scanner.position())) return false;
        std::vector<std::int32_t> values(static_cast<std::size_t>(*m));
        for (std::int32_t& v : values) {
            const auto e = scanner.integer();
            if (!e) return false;
            v = *e;
        }
        profiles.push_back({std::move(values), *x, *y, *datum});
        reporter.progressStep();
    }
    return true;
}

/// Each profile's first row above the southernmost start, from its ground y and record A's
/// y resolution (columns 829-840). Profiles of a quadrangle in UTM start at different
/// northings: placed by their coordinates they keep their true position, as other readers
/// place them. All zero (every profile aligned at its southern end) when the resolution is
/// missing or the offsets make no sense.
std::vector<std::size_t> southOffsets(std::string_view text, const std::vector<Profile>& profiles)
{
    std::vector<std::size_t> offsets(profiles.size(), 0);
    const auto dy = recordAField(text, 829, 12);
    if (!dy || !(*dy > 0.0) || !std::isfinite(*dy)) return offsets;
    double south = profiles.front().startY;
    for (const Profile& p : profiles) south = std::min(south, p.startY);
    for (std::size_t i = 0; i < profiles.size(); ++i) {
        const double k = std::round((profiles[i].startY - south) / *dy);
        if (!std::isfinite(k) || k > 1.0e6) return std::vector<std::size_t>(profiles.size(), 0);
        offsets[i] = std::size_t(k);
    }
    return offsets;
}

/// Turns a profile's stored counts into elevations: datum + count x record A's z resolution
/// (columns 841-852; 1 when missing), rounded to the nearest integer. Voids stay -32767.
void applyResolution(std::string_view text, std::vector<Profile>& profiles)
{
    const auto field = recordAField(text, 841, 12);
    const double dz = field && *field > 0.0 && std::isfinite(*field) ? *field : 1.0;
    for (Profile& p : profiles) {
        if (dz == 1.0 && p.datum == 0.0) continue;
        for (std::int32_t& v : p.values) {
            if (v == kVoid) continue;
            const double e = std::round(p.datum + v * dz);
            v = std::isfinite(e) ? std::int32_t(std::clamp(e, -2147483648.0, 2147483647.0)) : kVoid;
        }
    }
}

/// Where the grid lies: record A's reference system, zone, units, spacing and datum, the
/// west profile's x and the north row's y.
UsgsDemGround groundOf(std::string_view text, const std::vector<Profile>& profiles, int rows)
{
    auto field = [&](std::size_t first, std::size_t width) {
        return recordAField(text, first, width).value_or(0.0);
    };
    UsgsDemGround g;
    g.referenceSystem = gridops::truncToInt(field(157, 6));
    g.zone = gridops::truncToInt(field(163, 6));
    g.planimetricUnits = gridops::truncToInt(field(529, 6));
    g.dx = field(817, 12);
    g.dy = field(829, 12);
    g.horizontalDatum = gridops::truncToInt(field(891, 6));
    double south = profiles.front().startY;
    for (const Profile& p : profiles) south = std::min(south, p.startY);
    g.westX = profiles.front().startX;
    g.northY = south + (rows - 1) * g.dy;
    g.rows = rows;
    for (std::size_t corner = 0; corner < 4; ++corner) {
        const auto x = recordAField(text, 547 + 48 * corner, 24);
        if (!x || !std::isfinite(*x)) {
            g.cornerWestX = std::nullopt;
            break;
        }
        g.cornerWestX = std::min(*x, g.cornerWestX.value_or(*x));
    }
    for (std::size_t corner = 0; corner < 4; ++corner) {
        const auto y = recordAField(text, 571 + 48 * corner, 24);
        if (!y || !std::isfinite(*y)) {
            g.cornerSouthY = g.cornerNorthY = std::nullopt;
            break;
        }
        g.cornerSouthY = std::min(*y, g.cornerSouthY.value_or(*y));
        g.cornerNorthY = std::max(*y, g.cornerNorthY.value_or(*y));
    }
    return g;
}

} // namespace

std::optional<IntGrid> parseUsgsDem(std::span<const std::uint8_t> bytes, Reporter& reporter, UsgsDemGround* ground)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    auto fail = [&]() -> std::optional<IntGrid> {
        reporter.progressHide();
        reporter.log(usgsdem::kUnreadableLine);
        return std::nullopt;
    };
    int profileCount = 0;
    if (!readHeader(text, reporter, profileCount)) return fail();
    try {
        std::vector<Profile> profiles;
        profiles.reserve(std::min(std::size_t(profileCount), text.size() / 16 + 1));
        reporter.progressStart(1, profileCount);
        if (!readProfiles(text, profileCount, reporter, profiles)) return fail();
        applyResolution(text, profiles);
        std::vector<std::size_t> offsets = southOffsets(text, profiles);
        std::size_t rowsNeeded = 0, longest = 0;
        for (std::size_t i = 0; i < profiles.size(); ++i) {
            longest = std::max(longest, profiles[i].values.size());
            rowsNeeded = std::max(rowsNeeded, offsets[i] + profiles[i].values.size());
        }
        const std::size_t cellLimit = kMaxCellsPerByte * text.size();
        if (longest == 0 || longest * profiles.size() > cellLimit) return fail();
        if (rowsNeeded * profiles.size() > cellLimit) {   // offsets no genuine file has: align at the south
            std::fill(offsets.begin(), offsets.end(), 0);
            rowsNeeded = longest;
        }
        // Row 0 is north; positions no profile reaches hold 0.
        const int rows = int(rowsNeeded);
        IntGrid grid(rows, profileCount, 0);
        for (int c = 0; c < profileCount; ++c) {
            const Profile& profile = profiles[std::size_t(c)];
            const int south = rows - 1 - int(offsets[std::size_t(c)]);
            for (std::size_t k = 0; k < profile.values.size(); ++k) grid(south - int(k), c) = profile.values[k];
        }
        if (ground) {
            *ground = groundOf(text, profiles, rows);
            for (int c = 0; c < profileCount; ++c) {
                const int south = rows - 1 - int(offsets[std::size_t(c)]);
                ground->profileRows.emplace_back(south - int(profiles[std::size_t(c)].values.size()) + 1, south);
            }
        }
        reporter.progressHide();
        return grid;
    } catch (const std::bad_alloc&) {
        return fail();
    }
}

std::optional<IntGrid> readUsgsDem(const std::string& path, Reporter& reporter, UsgsDemGround* ground)
{
    const auto bytes = fileio::readFileQuietly(path);
    if (!bytes) {
        reporter.log(usgsdem::kCouldNotOpenLine);
        return std::nullopt;
    }
    return parseUsgsDem(*bytes, reporter, ground);
}
