// JPEG encoding of 24-bit pictures through the IJG libjpeg interface, with the
// codec's default settings (jpeg_set_defaults: quality 75, 4:2:0 sampling).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Reporter;

/// rgb: width x height pixels, 3 bytes each (red, green, blue), top line first.
/// Empty when the picture has no pixels or the encoder fails.
std::vector<std::uint8_t> encodeJpeg(const std::uint8_t* rgb, int width, int height);

/// Encodes and writes the file; false (after "could not open output file") when it cannot be written.
bool writeJpeg(const std::string& path, const std::uint8_t* rgb, int width, int height, Reporter& reporter);
