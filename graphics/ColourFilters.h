// Colour filters and binarisation: the "Image Processing" operations that strip
// a scanned map down to its contour ink.
//
// Each works on 0xRRGGBB colours held in an IntGrid (imageArray, or the
// reference image for the range filter) and changes nothing else; the caller
// saves the undo copies first where the command has undo, and redraws.
// Channel bytes are red = bits 16-23, green = bits 8-15, blue = bits 0-7.
//
// Pre: any grid; values beyond 24 bits are taken byte by byte where channels
// are read. Post: the grids keep their size (binarise and grayscale size
// elevationArray to the picture).
#pragma once

#include "app/core/Grid.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class Reporter;

constexpr std::int32_t kWhiteColour = 0xFFFFFF;

/// Value filter ("Filter Data Entry"): with valueToggle, every pixel equal to any
/// of the 16 values becomes the replacement colour; without it, every pixel
/// equal to none of them does.
void valueFilter(IntGrid& image, const std::array<std::int32_t, 16>& values, std::int32_t replacement,
                 bool valueToggle);

struct RangeFilter {
    std::int32_t lower = 0x000000;
    std::int32_t upper = 0xFFFFFF;
    std::int32_t background = 0xFFFFFF;
    bool keepDiscard = false;   ///< set: values inside lower..upper go; clear: values outside go
};
/// Range filter ("Filter Limits data Entry Form"), on signed 32-bit values.
void rangeFilter(IntGrid& image, const RangeFilter& filter);

enum class ScreenChannel { None, Red, Green, Blue };
struct ByteScreen {
    int red = 0xFF, green = 0xFF, blue = 0xFF;   ///< the screening bytes
    ScreenChannel channel = ScreenChannel::None;
    bool useTarget = false;
    std::int32_t target = 0xFFFFFF;
    std::int32_t replacement = 0xFFFFFF;       ///< used when useTarget is clear
};
/// "Red Green Blue Byte Filter": "Screen Red" replaces pixels with R > r, G < g
/// and B < b; green and blue likewise with their own channel above its byte.
void byteScreen(IntGrid& image, const ByteScreen& screen);

/// Low pass: in each channel plane, every interior pixel becomes its 3 x 3 sum
/// times 1/9 (truncated), updated in place in row order; border pixels stay.
void lowPass(IntGrid& image);

/// The multiplier k of the unsharp mask must lie in 0 .. 1.
bool unsharpMultiplierValid(double k);
inline const std::string kUnsharpMultiplierError = "Multiplier mut be between 0 and 1";
/// Unsharp mask in 240-scale lightness. With L a pixel's lightness and Lb that
/// of a 3 x 3 blurred copy (borders unblurred): if (1-k) Lb <= k L the new
/// lightness is trunc((k L - (1-k) Lb) / (2k - 1)), clamped to 0 .. 240,
/// otherwise L stays; at k = 0.5 L stays. Hue and saturation are kept and the
/// pixel is converted back to RGB. Returns false, changing nothing, for a
/// multiplier outside 0 .. 1.
bool unsharpMask(IntGrid& image, double k);

/// Binarise: elevationArray := 255 (background) where image >= background,
/// 0 (line) elsewhere. image is unchanged.
void binarise(const IntGrid& image, IntGrid& elevationArray, std::int32_t background);

/// Negative: in elevationArray 0xFFFFFF becomes 0 and everything else 0xFFFFFF;
/// in image white and black change places, other colours stay.
void negative(IntGrid& elevationArray, IntGrid& image);

/// Grayscale of a picture: g = v / 0x010101; image := (g & 255) x 0x010101, elevationArray := g.
void grayscale(IntGrid& elevationArray, IntGrid& image);

/// The pixel-query history: 16 colours written in a ring, and the last colour queried.
struct PixelQueryHistory {
    std::array<std::int32_t, 16> colours{};
    int writeIndex = 0;
    std::int32_t lastQueried = 0;

    void record(std::int32_t colour);
};

/// Six (or more) upper-case hexadecimal digits of a colour's 32-bit pattern.
std::string hexDigits6(std::int32_t colour);

/// The pixel query at (row, col): logs "Integer representation of pixel value
/// is:  " c, " Hex representation of pixel value is:  " and six hex digits,
/// then "  "; records c in the history. Returns c, which the caller also
/// makes the replacement colour; nothing for a cell outside the image.
std::optional<std::int32_t> queryPixel(const IntGrid& image, int row, int col, PixelQueryHistory& history,
                                       Reporter& reporter);

/// The line-scan query: the displayed colour (0xRRGGBB) in decimal, one log line.
void lineScanQuery(std::uint32_t displayedColour, Reporter& reporter);

/// Lines of the "Error!" window of Subtract and NAND for pictures of different sizes.
const std::vector<std::string>& referenceSizeErrorLines();
/// Subtract: image := image - reference (32-bit wrap-around); a result 0 becomes
/// white. Returns false, changing nothing, when the sizes differ.
bool subtractReference(IntGrid& image, const IntGrid& reference);
/// NAND: every pixel equal to the reference pixel becomes the background colour.
/// Returns false, changing nothing, when the sizes differ.
bool nandReference(IntGrid& image, const IntGrid& reference, std::int32_t background);

/// Contrast stretch: v := trunc((v - min) / (max - min) x 16777215.0). A picture
/// whose values are all equal is left unchanged (returns false).
bool contrastStretch(IntGrid& image);

/// "Stretch Arrays" > "Offset": v := trunc(v x f) with f a 32-bit float.
void multiplyValues(IntGrid& image, float factor);
