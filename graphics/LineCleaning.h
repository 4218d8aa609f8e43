// Line cleaning on a binarised, thinned contour image: "Connect Lines",
// "Delete Short Segments", "Remove Web" and "Clip Text".
//
// They work on the line code of elevationArray (255 background, any other
// value a line pixel), except Remove Web, which works on the colours of
// imageArray. The caller saves the undo copies first and redraws afterwards.
//
// Pre: elevationArray and imageArray of equal size; any click or drag
// position (cells outside the arrays are ignored). Post: the arrays keep their
// size; pixels change only as each operation states.
#pragma once

#include "app/core/Grid.h"
#include "graphics/ScreenCells.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

class Reporter;

enum class SearchOrder { ClosestFirst, FarthestFirst };

/// "Search Radius" must be 1 .. 99.
bool searchRadiusValid(int radius);
inline const std::string kSearchRadiusError = "Pixel search radius must be >0 and <100";
/// "Pixel Limit" must be at least 1.
bool pixelLimitValid(int limit);
inline const std::string kPixelLimitError = "Pixel Limit must be greater than zero!";

/// Connect Lines. Endpoints are the interior line pixels (value not 255) with
/// exactly one of their eight neighbours of the same value, found once at the
/// start. Every pixel (r, c) with radius <= r < R - radius and radius <= c <
/// C - radius is visited in row order; while it is an endpoint another
/// endpoint within the radius is sought ("Seek Farthest First": the square
/// r +- radius, c +- radius in row order from its top-left corner; "Seek
/// Closest First": rings d = 1 .. radius scaled by 5/6) and the first one found
/// is joined by a Bresenham line of value 0; both stop being endpoints.
/// Progress runs over the visited rows. Returns the number of joins.
int connectLines(IntGrid& elevationArray, int radius, SearchOrder order, Reporter& reporter);

/// Delete Short Segments. Each 8-connected set of line pixels that contains an
/// interior pixel below 255 is measured once with the line tagger's flood; a
/// set of fewer than limit pixels becomes background (255). Progress runs
/// from 1 to rows - 1. Returns the number of pixels deleted.
std::size_t deleteShortSegments(IntGrid& elevationArray, int limit, Reporter& reporter);

/// The region of imageArray 8-connected to (row, col) whose pixels have the
/// colour of that cell becomes white (0xFFFFFF). Returns the number of pixels
/// flooded (0 for a cell outside the array).
std::size_t removeWeb(IntGrid& imageArray, int row, int col);

/// The Remove Web click at screen point (x, y): when the displayed pixel under
/// the pointer is white, logs "Missed line." and changes nothing; otherwise
/// calls saveUndo and floods the clicked colour with white. Returns true when
/// the array changed. Either way the caller refreshes the display.
bool removeWebClick(IntGrid& imageArray, ScreenPoint p, int zoomFactor, std::uint32_t displayedColour,
                    const std::function<void()>& saveUndo, Reporter& reporter);

enum class ClipResult { Clipped, ZeroArea };

/// Clip Text: the rectangle between two dragged corners (screen coordinates
/// divided by zoomFactor; the smaller corner inclusive, the larger exclusive,
/// limited to the array) is blanked: imageArray becomes white and
/// elevationArray becomes 255 when it holds a line code, white otherwise.
/// A rectangle of zero width or height changes nothing (the caller shows the
/// "Bounding  box must have non zero area!" window).
/// What a blanked pixel of elevationArray becomes: 255 in a line code, white otherwise.
std::int32_t blankedElevation(bool elevationHoldsLineCode);
ClipResult clipText(IntGrid& imageArray, IntGrid& elevationArray, ScreenPoint a, ScreenPoint b, int zoomFactor,
                    bool elevationHoldsLineCode);
