// Windows bitmaps (".bmp"): 24 bits a pixel (blue, green, red),
// BITMAPFILEHEADER + BITMAPINFOHEADER, lines stored bottom-up and padded to a
// multiple of 4 bytes. Grey pictures (the three bytes equal) and colour
// pictures (0xRRGGBB in the low 24 bits of each pixel).
#pragma once

#include "app/core/Grid.h"

#include <cstdint>
#include <string>
#include <vector>

class Reporter;

/// picture: one grey level per pixel, line 0 at the top.
std::vector<std::uint8_t> encodeGreyBmp(const ByteGrid& picture);

/// Writes the bitmap; false (after "could not open output file") when it cannot be written.
bool writeGreyBmp(const std::string& path, const ByteGrid& picture, Reporter& reporter);

/// picture: 0xRRGGBB in the low 24 bits of each pixel, line 0 at the top.
std::vector<std::uint8_t> encodeColourBmp(const Grid<std::uint32_t>& picture);
bool writeColourBmp(const std::string& path, const Grid<std::uint32_t>& picture, Reporter& reporter);
