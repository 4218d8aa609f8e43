// JPEG pictures through the IJG libjpeg interface: decoding a map picture
// into 0xRRGGBB colours, and encoding a picture with the codec's default
// settings (the 3-D snapshot).
//
// Decoding refuses, before any picture memory is taken, a header whose pixel
// count exceeds the limit; a damaged or truncated stream (including a
// premature end of the data, which the codec would otherwise pad with grey)
// gives nothing. Encoding writes baseline JPEG, quality 75, 4:2:0.
#pragma once

#include "app/Grid.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class Reporter;

namespace jpeg {

/// Largest picture decoded (pixels): 2^26, for example 8192 x 8192. The graphics window keeps
/// five arrays of this size (two arrays, their undo copies and the display).
inline constexpr std::int64_t kDefaultMaxPixels = std::int64_t(1) << 26;

/// Decodes a JPEG stream (greyscale or colour) into an IntGrid of 0xRRGGBB, top line first.
std::optional<IntGrid> decode(std::span<const std::uint8_t> bytes, std::int64_t maxPixels = kDefaultMaxPixels);

/// Encodes a picture of 0xRRGGBB colours (top line first) with the codec's defaults.
/// Nothing for an empty picture.
std::optional<std::vector<std::uint8_t>> encode(const IntGrid& rgb);
/// The same from 24-bit lines (red, green, blue bytes) of the given stride, top line first.
std::optional<std::vector<std::uint8_t>> encodeRgb24(const std::uint8_t* lines, int width, int height,
                                                     std::size_t stride);

/// Encodes and writes; "could not open output file" on failure.
bool writeFile(const std::string& path, const IntGrid& rgb, Reporter& reporter);

} // namespace jpeg
