// The grey-scale 2-D picture of an elevation grid and the readout that inverts it.
//
// GreyImageBuilder: a linear map (single-precision slope and intercept) takes
// the grid's minimum to grey 0 and its maximum to 255 (254 when the slope is
// rounded down); each cell's level is truncated toward zero and only its low
// 8 bits are kept, so values outside the range wrap instead of being clamped.
// Grid row r lands on picture line rows-1-r: a south-first grid is shown
// north-up. The picture is one grey byte per pixel; the windows and the bitmap
// writer expand it to three equal bytes.
#pragma once

#include "app/core/Grid.h"

#include <cstdint>
#include <string>

class Reporter;
struct GridHandover;

struct GreyImage {
    ByteGrid picture;            ///< picture line 0 = top; one grey level per pixel
    float displaySlope = 0.0f;
    float displayIntercept = 0.0f;
};

/// The GreyImageBuilder: levels of grid with maximum and minimum (whole numbers);
/// advances the progress bar once per grid row.
GreyImage buildGreyImage(const IntGrid& grid, std::int32_t maximum, std::int32_t minimum, Reporter& reporter);

/// Minimum and maximum of a grid as the displays take them (minimum from 2147483647.0,
/// maximum from -2147483645.0, strict comparisons); with nullRule a minimum below -150
/// becomes 0, so null data (-32767) does not stretch the grey scale.
struct DisplayRange {
    double minimum;
    double maximum;
};
DisplayRange displayRange(const RealGrid& grid, bool nullRule);

/// "Display 2D Image" without its window: logs the size and range, keeps the
/// display grid and the grey map in the session and returns the picture.
/// Returns an empty picture (and logs nothing) when there is no solution.
GreyImage displaySolution(GridHandover& session, Reporter& reporter);

/// The graphics window's "Grayscale" for a tile: imageArray (north row first) shown
/// north-up with the null rule, without log lines.
GreyImage tileGreyImage(const IntGrid& imageArray, Reporter& reporter);

/// The grey level the readout reads from a pixel colour 0x00BBGGRR (integer division by 65535).
inline std::int32_t readoutLevel(std::uint32_t colour) { return std::int32_t(colour / 65535u); }
/// The colour of a grey pixel as the readout sees it.
inline std::uint32_t greyColour(std::uint8_t level) { return std::uint32_t(level) * 0x010101u; }
/// The elevation shown for a pixel colour: (g - intercept) / slope with two decimals.
std::string readoutElevation(std::uint32_t colour, float displaySlope, float displayIntercept);
