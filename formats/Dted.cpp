#include "formats/Dted.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "app/core/TextNumbers.h"
#include "formats/FileIo.h"

#include <algorithm>
#include <new>

namespace {

constexpr std::size_t kRecordHeader = 8;
constexpr std::uint8_t kSentinel = 0xAA;

/// Reads one profile of grid.cols() elevations at pos into profile slot p, the
/// first (southern) value at the highest index; stops at the end of the file
/// (unread postings keep their value). True when the whole profile was read.
bool readProfile(std::span<const std::uint8_t> file, std::size_t pos, IntGrid& grid, int p)
{
    const int n = grid.cols();
    std::int32_t* slot = grid.row(p);
    for (int k = 0; k < n; ++k, pos += 2) {
        if (pos > file.size() || file.size() - pos < 2) return false;
        slot[n - 1 - k] = decodeDtedSample(&file[pos]);
    }
    return true;
}

/// Reads the data records that follow the header block, each into the profile its own
/// header names (the longitude count; its place in the file when the record has no
/// sentinel), and logs how many of the `count` profiles are missing or cut short.
/// `doubled`: each profile q fills slots 2q and 2q + 1 (the last only 2q).
void readDataRecords(std::span<const std::uint8_t> file, IntGrid& profiles, int count, bool doubled,
                     Reporter& reporter)
{
    const int n = profiles.cols();
    const std::size_t recordBytes = kRecordHeader + 2 * std::size_t(n) + 4;
    std::vector<bool> whole(std::size_t(count), false);
    const fileio::Bytes b(file);
    for (int k = 0; k < count; ++k) {
        const std::size_t at = dted::kHeaderBytes - kRecordHeader + std::size_t(k) * recordBytes;
        if (!b.has(at, kRecordHeader + 2)) break;
        const int q = b.u8(at) == kSentinel ? int(std::uint16_t(*b.be16(at + 4))) : k;
        if (q >= count) continue;
        const int slot = doubled ? 2 * q : q;
        const bool read = readProfile(file, at + kRecordHeader, profiles, slot);
        if (doubled && slot + 1 < profiles.rows())
            std::copy(profiles.row(slot), profiles.row(slot) + n, profiles.row(slot + 1));
        whole[std::size_t(q)] = whole[std::size_t(q)] || read;
    }
    const auto missing = std::count(whole.begin(), whole.end(), false);
    if (missing > 0)
        reporter.incompleteInput("DTED file not whole: " + std::to_string(missing) + " of " + std::to_string(count) +
                                 " longitude profiles missing or cut short (read as -32767).");
}

std::optional<std::uint8_t> byteAt(std::span<const std::uint8_t> file, std::size_t at)
{
    return fileio::Bytes(file).u8(at);
}

/// The characters at [at, at + count) that the file holds.
std::string charactersAt(std::span<const std::uint8_t> file, std::size_t at, std::size_t count)
{
    std::string out;
    for (std::size_t i = at; i < at + count && i < file.size(); ++i) out.push_back(char(file[i]));
    return out;
}

} // namespace

std::int32_t decodeDtedSample(const std::uint8_t* p)
{
    std::int32_t v = std::int32_t(p[0] & 0x7F) << 8 | p[1];
    if (p[0] & 0x80) {
        v = -v;
        if (v < -16000 && v != dted::kVoid) v = fileio::bigEndianInt16(p);
    }
    return v;
}

void putDtedSample(std::vector<std::uint8_t>& out, std::int32_t v)
{
    v = std::clamp(v, -32767, 32767);
    const std::int32_t magnitude = v < 0 ? -v : v;
    out.push_back(std::uint8_t((magnitude >> 8) | (v < 0 ? 0x80 : 0)));
    out.push_back(std::uint8_t(magnitude & 0xFF));
}

IntGrid readDted0Profiles(std::span<const std::uint8_t> file, Reporter& reporter)
{
    const int n = dted::kLevel0Side;
    IntGrid profiles(n, n, dted::kVoid);
    const auto c = byteAt(file, 48);
    reporter.log(c == '0' ? "longitudeProfiles is:  61" : "longitudeProfiles is:  121");
    if (c == '1') {
        readDataRecords(file, profiles, n, false, reporter);
    } else if (c == '0') {
        reporter.log("Warning: Missing data.  Only 61 DTED0 longitude profiles in file.");
        reporter.log("This file is a poor choice for merging due to sparse data");
        reporter.log("  ");
        readDataRecords(file, profiles, (n + 1) / 2, true, reporter);
    } else {
        reporter.log("Unrecognized number of DTED0 longitude profiles.");
        if (file.size() < dted::kHeaderBytes) reporter.incompleteInput(dted::kShortFileLine);
    }
    return profiles;
}

IntGrid readDted1Profiles(std::span<const std::uint8_t> file, Reporter& reporter)
{
    const int n = dted::kLevel1Side;
    IntGrid profiles(n, n, dted::kVoid);
    if (byteAt(file, 47) != '1') {
        reporter.log("Unrecognized number of longitude profiles.");
        reporter.log("Unrecognized number of DTED1 longitude profiles.");
        if (file.size() < dted::kHeaderBytes) reporter.incompleteInput(dted::kShortFileLine);
        return profiles;
    }
    reporter.log("longitudeProfiles is:  1201");
    readDataRecords(file, profiles, n, false, reporter);
    return profiles;
}

IntGrid dtedTileFromProfiles(const IntGrid& profiles)
{
    IntGrid tile(profiles.cols(), profiles.rows());
    for (int c = 0; c < profiles.rows(); ++c) {
        const std::int32_t* profile = profiles.row(c);
        for (int r = 0; r < profiles.cols(); ++r) tile(r, c) = profile[r];
    }
    return tile;
}

TileCorner readDtedCorner(std::span<const std::uint8_t> file, Reporter& reporter)
{
    // One DSI angle: its degree digits logged after `label`, the hemisphere letter
    // `positive` giving +1; digits that are not a number give 0 after a notice.
    auto angle = [&](std::size_t at, std::size_t digits, std::size_t hemisphereAt, char positive, const char* label,
                     const char* message) {
        const std::string text = charactersAt(file, at, digits);
        reporter.log(label + text);
        const double sign = byteAt(file, hemisphereAt) == positive ? 1.0 : -1.0;
        if (auto degrees = text.size() == digits ? parseRealText(text) : std::nullopt)
            return *degrees * sign + 0.0;   // + 0.0: a southern or western 0 is logged as "0"
        reporter.notice("Conversion Error", message);
        return 0.0;
    };
    TileCorner corner;
    corner.longitude = angle(274, 3, 283, 'E', "longitude is:  ", dted::kLongitudeMessage);
    corner.latitude = angle(284, 2, 290, 'N', "latitude is:  ", dted::kLatitudeMessage);
    reporter.log(formatReal(corner.longitude));
    reporter.log(formatReal(corner.latitude));
    return corner;
}

std::optional<TileCorner> readDtedCorner(const std::string& path, Reporter& reporter)
{
    const auto bytes = fileio::readFileQuietly(path);
    if (!bytes) return std::nullopt;
    return readDtedCorner(*bytes, reporter);
}

std::optional<Dted1Tile> decodeDted1Tile(std::span<const std::uint8_t> file, Reporter& reporter)
{
    try {
        Dted1Tile out;
        if (file.size() >= dted::kHeaderBytes) out.headerBlock.assign(file.begin(), file.begin() + dted::kHeaderBytes);
        out.tile = dtedTileFromProfiles(readDted1Profiles(file, reporter));
        return out;
    } catch (const std::bad_alloc&) {
        reporter.log(dted::kFailedDted1Line);
        return std::nullopt;
    }
}

std::optional<Dted1Tile> readDted1Tile(const std::string& path, Reporter& reporter)
{
    const auto bytes = fileio::readInputFile(path, reporter);
    if (!bytes) return std::nullopt;
    return decodeDted1Tile(*bytes, reporter);
}

std::optional<IntGrid> readDted0Tile(const std::string& path, Reporter& reporter)
{
    const auto bytes = fileio::readInputFile(path, reporter);
    if (!bytes) return std::nullopt;
    try {
        return dtedTileFromProfiles(readDted0Profiles(*bytes, reporter));
    } catch (const std::bad_alloc&) {
        reporter.log(dted::kFailedDted0Line);
        return std::nullopt;
    }
}

std::vector<std::uint8_t> encodeDted1(const RealGrid& solution, std::span<const std::uint8_t> headerBlock)
{
    if (headerBlock.size() != dted::kHeaderBytes) return {};
    const int n = dted::kLevel1Side;
    std::vector<std::uint8_t> out(headerBlock.begin(), headerBlock.end());
    out.reserve(dted::kHeaderBytes + std::size_t(n) * (2 * std::size_t(n) + dted::kRecordTrailer));
    for (int c = 0; c < n; ++c) {
        const std::size_t recordStart = out.size() - kRecordHeader;   // the header written before
        for (int r = 0; r < n; ++r)
            putDtedSample(out, solution.contains(r, c) ? gridops::truncToInt(solution(r, c)) : 0);
        // The record's checksum: the sum of its bytes, header included, so that readers that verify
        // it accept the file.
        std::uint32_t sum = 0;
        for (std::size_t i = recordStart; i < out.size(); ++i) sum += out[i];
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(sum >> shift));
        if (c + 1 < n) {   // the next record's header: sentinel, block count, longitude count, latitude count 0
            const auto next = std::uint32_t(c + 1);
            out.insert(out.end(), {kSentinel, std::uint8_t(next >> 16), std::uint8_t(next >> 8), std::uint8_t(next),
                                   std::uint8_t(next >> 8), std::uint8_t(next), 0, 0});
        } else {
            out.insert(out.end(), kRecordHeader, std::uint8_t(0));   // the file keeps its fixed length
        }
    }
    return out;
}

bool writeDted1(const std::string& path, const RealGrid& solution, std::span<const std::uint8_t> headerBlock,
                Reporter& reporter)
{
    if (headerBlock.size() != dted::kHeaderBytes) {
        reporter.log(dted::kNoHeaderLine);
        return false;
    }
    return fileio::writeOutputFile(path, encodeDted1(solution, headerBlock), reporter);
}
