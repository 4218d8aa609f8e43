#include "formats/UsgsDemWriter.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "app/core/TextNumbers.h"
#include "formats/FileIo.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kFirstBlockValues = 146;
constexpr int kBlockValues = 170;
constexpr int kBlockText = 1020;      // characters of a block before its four blanks
/// Elevations are written as the 16-bit integers readers take; -32767 is the void.
constexpr std::int32_t kVoid = -32767;
constexpr std::int32_t kHighest = 32767;

void pad(std::string& out, std::size_t width, std::size_t start)
{
    if (out.size() - start < width) out.append(width - (out.size() - start), ' ');
}

void appendFormatted(std::string& out, const char* format, double v)
{
    char buf[400];
    const int n = std::snprintf(buf, sizeof buf, format, v);
    out.append(buf, std::size_t(n));
}

void appendI6(std::string& out, long long v)
{
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    const std::size_t len = std::size_t(res.ptr - buf);
    if (len < 6) out.append(6 - len, ' ');
    out.append(buf, len);
}

void appendF24(std::string& out, double v) { appendFormatted(out, "%24.15f", v); }
void appendG24(std::string& out, double v) { appendFormatted(out, "%24.15g", v); }
void appendF12(std::string& out, double v) { appendFormatted(out, "%12.6f", v); }

void appendRecordA(std::string& out, const UsgsDemGeoreference& g, int R, int C, double minimum, double maximum)
{
    const std::size_t start = out.size();
    out += "CONTOUR to USGS DEM by GRIDMEND";
    pad(out, 149, start);
    out += '1';
    appendI6(out, 1);
    appendI6(out, 1);
    appendI6(out, g.utmZone);
    for (int i = 0; i < 15; ++i) appendF24(out, 0.0);
    appendI6(out, g.planimetricUnitsCode);
    appendI6(out, g.elevationUnitsCode);
    appendI6(out, 4);
    const float x0 = float(g.basexFloat), y0 = float(g.baseyFloat), s = float(g.gridSpacing);
    const float x1 = x0 + float(C - 1) * s, y1 = y0 + float(R - 1) * s;
    for (float v : {x0, y0, x0, y1, x1, y1, x1, y0}) appendF24(out, v);
    appendF24(out, gridops::truncToInt(minimum));
    appendF24(out, gridops::truncToInt(maximum));
    appendF24(out, 0.0);
    appendI6(out, 0);
    appendF12(out, s);
    appendF12(out, s);
    appendF12(out, 1.0);
    appendI6(out, 1);
    appendI6(out, C);
    pad(out, 880, start);
    // Vertical datum in columns 889-890, horizontal datum in 891-892 (1 = NAD 27, 4 = NAD 83).
    out += g.datumName.size() > 4 && g.datumName[4] == 'C' ? "         4 1    " : "         1 4    ";
    pad(out, 1024, start);
    out += '\n';
}

/// Ends the current block: blanks to 1020 characters, four blanks, a line end.
void endBlock(std::string& out, std::size_t blockStart)
{
    pad(out, kBlockText, blockStart);
    out += "    \n";
}

/// The profile's elevations as written: truncated toward zero and clamped to -32767..32767,
/// values below the range becoming voids. Counts the values clamped.
std::vector<std::int32_t> writtenElevations(const std::vector<double>& profile, std::size_t& clamped)
{
    std::vector<std::int32_t> out;
    out.reserve(profile.size());
    for (double v : profile) {
        const std::int32_t e = gridops::truncToInt(v);
        if (e < kVoid || e > kHighest) ++clamped;
        out.push_back(std::clamp(e, kVoid, kHighest));
    }
    return out;
}

/// The profile's smallest and largest elevation as reals, voids left out; the largest is at
/// least 0.
std::pair<double, double> profileRange(const std::vector<double>& profile)
{
    double minimum = kHighest, maximum = 0.0;
    for (double v : profile) {
        if (gridops::truncToInt(v) <= kVoid) continue;
        minimum = std::min(minimum, std::min<double>(v, kHighest));
        maximum = std::max(maximum, std::min<double>(v, kHighest));
    }
    return {minimum, maximum};
}

/// Every posting is written, voids included, so each keeps its place in the profile.
void appendRecordB(std::string& out, const std::vector<std::int32_t>& profile, std::pair<double, double> range,
                   int column, float x, float y)
{
    const auto [minimum, maximum] = range;
    std::size_t blockStart = out.size();
    appendI6(out, 1);
    appendI6(out, column + 1);
    appendI6(out, std::int64_t(profile.size()));
    appendI6(out, 1);
    appendG24(out, x);
    appendG24(out, y);
    appendG24(out, 0.0);
    appendF24(out, minimum);
    appendF24(out, maximum);
    int inBlock = 0, blockCapacity = kFirstBlockValues;
    for (std::int32_t v : profile) {
        if (inBlock == blockCapacity) {
            endBlock(out, blockStart);
            blockStart = out.size();
            inBlock = 0;
            blockCapacity = kBlockValues;
        }
        appendI6(out, v);
        ++inBlock;
    }
    endBlock(out, blockStart);
}

} // namespace

std::string formatUsgsAsciiDem(const UsgsDemGeoreference& georeference, const RealGrid& solution,
                               std::size_t* clamped)
{
    std::size_t clampedCount = 0;
    const int R = solution.rows(), C = solution.cols();
    std::string out;
    out.reserve(1025 + std::size_t(C) * (std::size_t(R) * 6 + 1100) + 60);
    appendRecordA(out, georeference, R, C, gridops::minimum(solution), gridops::maximum(solution));
    const double scale = georeference.outputScaleFactor;
    const float s = float(georeference.gridSpacing), y = float(georeference.baseyFloat);
    float x = float(georeference.basexFloat);
    std::vector<double> profile(std::size_t(R > 0 ? R : 0));
    for (int c = 0; c < C; ++c) {
        for (int r = 0; r < R; ++r) profile[std::size_t(r)] = scale != 1.0 ? solution(r, c) * scale : solution(r, c);
        appendRecordB(out, writtenElevations(profile, clampedCount), profileRange(profile), c, x, y);
        x += s;
    }
    for (int i = 0; i < 10; ++i) appendI6(out, 0);
    if (clamped) *clamped = clampedCount;
    return out;
}

bool writeUsgsAsciiDem(const std::string& path, const UsgsDemGeoreference& georeference, const RealGrid& solution,
                       Reporter& reporter)
{
    std::size_t clamped = 0;
    const std::string text = formatUsgsAsciiDem(georeference, solution, &clamped);
    if (clamped > 0)
        reporter.log(std::to_string(clamped) +
                     " elevations outside -32767 .. 32767 were written as the nearest of the two (-32767: void).");
    return fileio::writeOutputFile(path, text, reporter);
}

const std::vector<std::string>& usgsDemUtmErrorLines()
{
    static const std::vector<std::string> lines = {
        "", "Error in UTM coordinate assignment.",
        "", "basexFloat must be between 160,000 ", "and 834,000.",
        "", "baseyFloat must be between 0 and ", "10,000,000.",
        "", "The UTM zone must be between", "1 and 60.",
        "", "Please enter new UTM coordinates."};
    return lines;
}

const std::vector<std::string>& usgsDemSpacingErrorLines()
{
    static const std::vector<std::string> lines = {
        "", "Error in spacing or scale factor.",
        "", "The spacing must be greater than 0 ", "and less than 100,000.",
        "", "The output scale factor must be", "less than 1,000,000 in size."};
    return lines;
}

const std::vector<std::string>& usgsDemUnitsErrorLines()
{
    static const std::vector<std::string> lines = {
        "", "Error in units code assignment.",
        "", "Planimetric and elevation units codes", "must be between 0 and 9.",
        "", "Please enter new units codes."};
    return lines;
}

UsgsDemEntryCheck checkUsgsDemEntries(const UsgsDemEntryTexts& t)
{
    using Outcome = UsgsDemEntryCheck::Outcome;
    UsgsDemEntryCheck check;
    auto fail = [&](Outcome outcome, std::string text, std::vector<std::string> lines = {}) {
        check.outcome = outcome;
        check.conversionText = std::move(text);
        check.errorLines = std::move(lines);
        return check;
    };
    for (const std::string* text : {&t.datum, &t.easting, &t.northing, &t.zone, &t.spacing, &t.planimetricUnits,
                                    &t.elevationUnits, &t.scale})
        if (isEmptyText(*text)) return fail(Outcome::EmptyEntry, {});

    const char* notInteger = "Text box entry must be an integer!";
    const auto easting = parseIntText(t.easting), northing = parseIntText(t.northing), zone = parseIntText(t.zone);
    if (!easting || !northing || !zone) return fail(Outcome::ConversionError, notInteger);
    if (*easting < 160000 || *easting > 834000 || *northing > 10000000 || *zone < 1 || *zone > 60)
        return fail(Outcome::RangeError, {}, usgsDemUtmErrorLines());
    const auto planimetric = parseIntText(t.planimetricUnits), elevation = parseIntText(t.elevationUnits);
    if (!planimetric || !elevation) return fail(Outcome::ConversionError, notInteger);
    if (*planimetric < 0 || *planimetric > 9 || *elevation < 0 || *elevation > 9)
        return fail(Outcome::RangeError, {}, usgsDemUnitsErrorLines());
    const auto spacing = parseRealText(t.spacing), scale = parseRealText(t.scale);
    if (!spacing || !scale) return fail(Outcome::ConversionError, "Text box entry must be a double!");
    // The spacing's fields hold 12 characters with 6 decimals; a scale of a million or more
    // cannot write even 1 in a six-character elevation field.
    if (!(*spacing > 0.0 && *spacing < 100000.0) || !(std::fabs(*scale) < 1e6))
        return fail(Outcome::RangeError, {}, usgsDemSpacingErrorLines());

    check.values = {t.datum, double(*easting), double(*northing), *zone, *spacing, *planimetric, *elevation,
                    float(*scale)};
    check.logLines = {"basexFloat is:  " + t.easting,
                      "baseyFloat is:  " + t.northing,
                      "Datum is:  " + t.datum,
                      "UTM Zone is:  " + t.zone,
                      "Spacing is:  " + t.spacing,
                      "Planimetric Units Code is:  " + t.planimetricUnits,
                      "Elevation Units Code is:  " + t.elevationUnits,
                      "Output Scale Factor is:  " + t.scale};
    return check;
}
