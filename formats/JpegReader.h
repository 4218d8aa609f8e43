// Decoding JPEG map pictures through the IJG libjpeg interface into 0xRRGGBB
// colours (greyscale and colour streams alike), top line first.
//
// A header whose pixel count exceeds the limit is refused before any picture
// memory is taken; a damaged or truncated stream (including a premature end of
// the data, which the codec would otherwise pad with grey) gives nothing.
// Encoding is formats/JpegWriter.
#pragma once

#include "app/core/Grid.h"

#include <cstdint>
#include <optional>
#include <span>

/// Largest picture read (pixels): 2^26, for example 8192 x 8192. The graphics window keeps
/// five arrays of this size (two arrays, their undo copies and the display).
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t(1) << 26;
/// A compressed picture announcing more pixels than this many per byte of its file is not a
/// genuine picture (the flattest real ones hold a few dozen): refused before any picture
/// memory is taken, so a 5 kB file announcing 8192 x 8192 takes none.
inline constexpr std::int64_t kMaxPixelsPerFileByte = 1024;
/// Whether a picture of width x height pixels may be decoded from a file of fileBytes bytes.
inline bool pictureSizeFits(std::int64_t width, std::int64_t height, std::size_t fileBytes, std::int64_t maxPixels)
{
    const std::int64_t pixels = width * height;
    return width > 0 && height > 0 && width <= 0x7FFFFFFF && height <= 0x7FFFFFFF && pixels <= maxPixels &&
           pixels / kMaxPixelsPerFileByte <= std::int64_t(fileBytes);
}

std::optional<IntGrid> decodeJpeg(std::span<const std::uint8_t> bytes, std::int64_t maxPixels = kMaxPicturePixels);
