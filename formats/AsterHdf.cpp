#include "formats/AsterHdf.h"

#include "app/core/Reporter.h"
#include "formats/FileIo.h"
#include "formats/FloatSamples.h"

#include <array>
#include <new>

namespace {

constexpr std::uint8_t kSdLow = 0xBE, kSdHigh = 0x02;
constexpr std::uint8_t kGroupLow = 0xD0;
constexpr std::uint8_t kDimensionLow = 0xBD;
constexpr std::uint8_t kNumberTypeLow = 0x6A;
constexpr std::size_t kFirstDescriptor = 10, kDescriptorSize = 12, kGroupBytes = 12;

using GroupBytes = std::array<std::uint8_t, kGroupBytes>;

void logValue(Reporter& reporter, const char* label, long long value)
{
    reporter.log(label + std::to_string(value));
}

/// The reference that follows the first group byte equal to the tag's low byte; 0 if none.
std::uint16_t referenceInGroup(const GroupBytes& group, std::uint8_t tagLow)
{
    for (std::size_t i = 0; i < kGroupBytes; ++i)
        if (group[i] == tagLow) return i + 2 < kGroupBytes ? std::uint16_t(group[i + 1] << 8 | group[i + 2]) : 0;
    return 0;
}

/// The first descriptor with that tag low byte and reference; an empty one if none.
HdfDescriptor findElement(const std::vector<HdfDescriptor>& descriptors, std::uint8_t tagLow, std::uint16_t ref)
{
    for (const HdfDescriptor& d : descriptors)
        if (d.tagLow == tagLow && d.reference == ref) return d;
    return {};
}

/// The group of the chosen data set (the last group read when none matches).
GroupBytes findGroup(const std::vector<HdfDescriptor>& descriptors, const fileio::Bytes& file,
                     std::uint16_t sdReference, Reporter& reporter)
{
    GroupBytes group{};
    for (const HdfDescriptor& d : descriptors) {
        if (d.tagLow != kGroupLow) continue;
        logValue(reporter, "low_byte_Tag is:\t\t\t", d.tagLow);
        logValue(reporter, "ndg_offset is:\t\t\t", d.offset);
        logValue(reporter, "ndg_length is:\t\t\t", d.length);
        if (!file.has(d.offset, kGroupBytes)) continue;
        std::copy_n(file.span().begin() + d.offset, kGroupBytes, group.begin());
        if (std::uint16_t(group[2] << 8 | group[3]) == sdReference) break;
    }
    return group;
}

void readSamples(const fileio::Bytes& file, std::size_t offset, int width, IntGrid& grid, Reporter& reporter)
{
    const std::size_t bytesPerSample = width == 32 ? 4 : 2;
    reporter.progressStart(0, grid.rows());
    for (int r = 0; r < grid.rows(); ++r) {
        std::int32_t* row = grid.row(r);
        for (int c = 0; c < grid.cols(); ++c, offset += bytesPerSample)
            row[c] = width == 32 ? fileio::floatSampleToInt(*file.beFloat(offset)) : *file.be16(offset);
        reporter.progressStep();
    }
    reporter.progressHide();
}

} // namespace

std::string asterhdf::lengthCheckText()
{
    return "This does not appear to be a valid \n"
           "ASTER DEM .hdf file.\n"
           "It may be a different type of .hdf file, \n"
           "and may even be an\n"
           "ASTER L1A or L1B file.  However, \n"
           "this program only\n"
           "reds ASTER DEM files.\n"
           "\n"
           "Exiting.";
}

std::vector<HdfDescriptor> readHdfDescriptors(std::span<const std::uint8_t> bytes)
{
    const fileio::Bytes file(bytes);
    const std::size_t count = file.u8(5).value_or(0);
    std::vector<HdfDescriptor> out;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kFirstDescriptor + i * kDescriptorSize;
        if (!file.has(at, kDescriptorSize)) break;
        out.push_back({*file.u8(at), *file.u8(at + 1), std::uint16_t(*file.u8(at + 2) << 8 | *file.u8(at + 3)),
                       *file.be32u(at + 4), *file.be32u(at + 8)});
    }
    return out;
}

std::optional<IntGrid> parseAsterHdf(std::span<const std::uint8_t> bytes, Reporter& reporter)
{
    const fileio::Bytes file(bytes);
    if (file.u8(0) != 0x0E || file.u8(1) != 0x03) reporter.log("Error");
    const std::vector<HdfDescriptor> descriptors = readHdfDescriptors(bytes);
    const HdfDescriptor first = descriptors.empty() ? HdfDescriptor{} : descriptors.front();
    logValue(reporter, "my_hdf_dd_array[0].high_byte_Tag is:\t", first.tagHigh);
    logValue(reporter, "my_hdf_dd_array[0].low_byte_Tag is:\t", first.tagLow);
    logValue(reporter, "The list size is:\t\t\t", (long long)descriptors.size());

    std::uint16_t sdReference = 0;
    for (const HdfDescriptor& d : descriptors)
        if (d.tagHigh == kSdHigh && d.tagLow == kSdLow && d.length > asterhdf::kMinimumDataSetLength) {
            sdReference = d.reference;
            logValue(reporter, "sd_reference is:\t\t\t", sdReference);
        }

    const GroupBytes group = findGroup(descriptors, file, sdReference, reporter);
    logValue(reporter, "The list size is:\t\t\t", (long long)kGroupBytes);
    const std::uint16_t sddRef = referenceInGroup(group, kDimensionLow);
    const std::uint16_t ntRef = referenceInGroup(group, kNumberTypeLow);
    logValue(reporter, "nt_ref is:\t\t\t\t", ntRef);
    const std::uint32_t sddOffset = findElement(descriptors, kDimensionLow, sddRef).offset;
    logValue(reporter, "sdd_offset is:\t\t\t", sddOffset);

    const std::uint16_t dimensions =
        file.has(sddOffset, 2) ? std::uint16_t(*file.u8(sddOffset) << 8 | *file.u8(sddOffset + 1)) : 0;
    std::int32_t rows = 0, cols = 0;
    bool sizeErrorLogged = false;
    if (dimensions == 2 && file.has(sddOffset, 10)) {
        rows = *file.be32(sddOffset + 2);
        cols = *file.be32(sddOffset + 6);
    } else {
        reporter.log(asterhdf::kImageSizeErrorLine);
        sizeErrorLogged = true;
    }
    logValue(reporter, "data_dimension is:\t\t\t", dimensions);
    logValue(reporter, "ImageLength is:\t\t\t", rows);
    logValue(reporter, "ImageWidth is:\t\t\t", cols);

    const std::uint32_t ntOffset = findElement(descriptors, kNumberTypeLow, ntRef).offset;
    logValue(reporter, "nt_offset is:\t\t\t", ntOffset);
    const int width = file.u8(std::size_t(ntOffset) + 2).value_or(0);
    if (width != 16 && width != 32) reporter.log("data_width Error");
    logValue(reporter, "data_width is:\t\t\t", width);

    const std::uint16_t sdRef = referenceInGroup(group, kSdLow);
    logValue(reporter, "sd_ref is:\t\t\t\t", sdRef);
    const HdfDescriptor sd = findElement(descriptors, kSdLow, sdRef);
    logValue(reporter, "sd_offset is:\t\t\t", sd.offset);
    logValue(reporter, "sd_length is:\t\t\t", sd.length);
    reporter.log(std::to_string(rows));
    reporter.log(std::to_string(cols));

    // The samples (2 bytes each where the width is unknown) must lie inside the file.
    const std::uint64_t rowBytes = std::uint64_t(cols > 0 ? cols : 0) * (width == 32 ? 4u : 2u);
    if (rows <= 0 || cols <= 0 || std::uint64_t(rows) > file.size() / rowBytes ||
        !file.has(sd.offset, std::uint64_t(rows) * rowBytes)) {
        if (!sizeErrorLogged) reporter.log(asterhdf::kImageSizeErrorLine);
        return std::nullopt;
    }
    const std::uint64_t expected = std::uint64_t(rows) * rowBytes;
    try {
        IntGrid grid(rows, cols, 0);
        if (width == 16 || width == 32) {
            if (sd.length != expected) {
                reporter.log("\t\t\t\tLength Check Error");
                reporter.notice("Error!", asterhdf::lengthCheckText());
            } else {
                reporter.log("Length Check\t\t\tOK");
            }
            readSamples(file, sd.offset, width, grid, reporter);
        }
        reporter.log("Done");
        reporter.log("  ");
        reporter.log("Generating ASTER image.");
        return grid;
    } catch (const std::bad_alloc&) {
        reporter.log(asterhdf::kFailedOpenLine);
        return std::nullopt;
    }
}

std::optional<IntGrid> readAsterHdf(const std::string& path, Reporter& reporter)
{
    const auto bytes = fileio::readFileQuietly(path);
    if (!bytes) {
        reporter.log(asterhdf::kFailedOpenLine);
        return std::nullopt;
    }
    return parseAsterHdf(*bytes, reporter);
}
