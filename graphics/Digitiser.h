// The digitiser and elevation drawing: redrawing a missing contour by hand.
//
// The digitiser collects clicked screen points (at most 100; further clicks
// are ignored until the double click), and each click marks its point with a
// cross. On the double click the polyline is closed onto the first earlier
// point (0 .. n-3) lying less than 15 pixels (truncated Euclidean distance)
// from the last point, then drawn segment by segment with Bresenham's line in
// cell coordinates, with the pen colour as imageArray stores it (red and blue
// bytes exchanged): into elevationArray when it holds a line code (imageArray
// then follows: black where elevationArray < 1, white elsewhere), otherwise
// into imageArray (elevationArray then becomes a copy of it). The list is then
// emptied.
//
// Colours: a screen colour holds red in bits 0-7 and blue in bits 16-23; the
// arrays hold 0xRRGGBB. swapRedBlue converts either way.
//
// Pre: elevationArray and imageArray of equal size, zoomFactor >= 1. Post:
// only the cells on the drawn segments change in the array drawn into, and
// the other array follows it; segments leaving the array are clipped.
#pragma once

#include "app/core/Grid.h"
#include "graphics/ScreenCells.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

class Reporter;

class Digitiser {
public:
    static constexpr int kMaxClickedPoints = 100;

    /// Appends a clicked point; returns false (the point is ignored) when the list is full.
    bool click(ScreenPoint p);
    /// The closing rule: appends the first point i in 0 .. n-3 whose truncated distance
    /// to the last point is below 15 pixels. Returns true when the polyline was closed.
    bool close();
    /// Empties the list and clears the closed flag ("DigitizeContour" > "Disabled" and after drawing).
    void clear();

    const std::vector<ScreenPoint>& points() const { return points_; }
    bool closed() const { return closed_; }

private:
    std::vector<ScreenPoint> points_;
    bool closed_ = false;
};

/// The 32 pixels of the marker cross around a click: distances 1 to 8 to the
/// right, left, below and above, in that order (the clicked pixel is not part of
/// it). The caller draws each pixel whose present colour differs from penColor,
/// in the marker colour, with pen width zoomFactor.
std::array<ScreenPoint, 32> markerCrossPixels(ScreenPoint click);

/// The double click (after the caller saved the undo copies): closes, draws and
/// empties the digitiser. penColor is a screen colour.
void drawDigitisedPolyline(Digitiser& digitiser, IntGrid& elevationArray, IntGrid& imageArray, int zoomFactor,
                           std::int32_t penColor, bool elevationHoldsLineCode);

/// Exchanges the red and blue bytes of a 24-bit colour (bits above 23 are dropped).
std::int32_t swapRedBlue(std::int32_t colour);

/// Submit of "Elevation Dialog": logs the elevation, then "penColor is:  " and
/// the new pen colour, which is returned: the elevation with red and blue
/// exchanged, so a painted pixel reads back into imageArray as the elevation.
std::int32_t elevationPenColour(std::int32_t elevation, Reporter& reporter);

/// The screen colour of a colour name of the pen and marker lists ("Black",
/// "Blue", "Red", "Green", "Yellow"), or nothing for another text.
std::optional<std::int32_t> namedScreenColour(std::string_view name);
