// The ASTER DEM reader for HDF (version 4) files, without an HDF library.
//
// The reader walks the first data-descriptor block (at most 255 descriptors),
// picks the scientific data set (tag 0x02BE) longer than 9,000,000 bytes, finds
// the numeric data group (0x02D0) whose first reference is that set, and from
// the group's tag/reference pairs the dimension record (0x02BD: rows, columns),
// the number type (0x006A: 16 or 32 bits) and the samples: signed 16-bit
// integers or single-precision floats, high byte first, row by row. Every value
// on the way is logged. Every offset and length from the file is checked
// against the file's size before it is used.
#pragma once

#include "app/core/Grid.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class Reporter;

namespace asterhdf {
inline constexpr const char* kFailedOpenLine = "Failed to open HDF file.";
inline constexpr const char* kImageSizeErrorLine = "Image Size Error";
inline constexpr std::uint32_t kMinimumDataSetLength = 9000000;
/// The text of the "Error!" window raised when the data set's length does not
/// match its dimensions (nine lines).
std::string lengthCheckText();
} // namespace asterhdf

/// One data descriptor: tag, reference number, offset and length of the element.
struct HdfDescriptor {
    std::uint8_t tagHigh = 0, tagLow = 0;
    std::uint16_t reference = 0;
    std::uint32_t offset = 0, length = 0;
};

/// The descriptors of the first block that the file holds (count from byte 5).
std::vector<HdfDescriptor> readHdfDescriptors(std::span<const std::uint8_t> file);

/// The elevation grid (row 0 = first row of the data set) with every log line.
/// Nothing (after "Image Size Error") when the dimensions are not positive or the
/// samples do not fit the file. A sample width other than 16 or 32 gives a
/// zero grid. Float samples that are NaN or beyond the 32-bit range give -32768.
std::optional<IntGrid> parseAsterHdf(std::span<const std::uint8_t> file, Reporter& reporter);
/// Reads a file; "Failed to open HDF file." and nothing when it cannot be opened.
std::optional<IntGrid> readAsterHdf(const std::string& path, Reporter& reporter);
