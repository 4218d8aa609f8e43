// The click actions of the graphics window. A mouse button pressed on the
// picture runs, in this order and each only when its condition holds: the pen
// moves to the point; tagging (tagMode); remove web; pixel query; elevation
// query; digitiser; line scan; then a pending rubber-band request starts its
// rectangle. On release: the subset, clip text, elevation drawing and subset
// interpolation. The tools of the later menus plug their operations in here;
// an empty action does nothing.
#pragma once

#include "graphics/ScreenCells.h"

#include <functional>

/// A rectangle of cells: rows top .. top+rows-1, columns left .. left+columns-1.
struct CellRect {
    int top = 0, left = 0, rows = 0, columns = 0;
    bool empty() const { return rows <= 0 || columns <= 0; }
    /// Not empty and wholly inside a grid of gridRows x gridColumns, for any values (no sum can wrap).
    bool inside(int gridRows, int gridColumns) const
    {
        return !empty() && top >= 0 && left >= 0 && top <= gridRows && left <= gridColumns &&
               rows <= gridRows - top && columns <= gridColumns - left;
    }
    friend bool operator==(const CellRect&, const CellRect&) = default;
};

/// How a drag ended.
enum class RubberBandOutcome {
    None,       ///< no rubber band was active
    Done,       ///< the operation that armed it ran
    ZeroArea,   ///< a rectangle of zero width or height: nothing ran ("Bounding  box must have non zero area!")
};

/// Actions of the later tools, (x, y) in screen pixels of the displayed picture.
struct ClickActions {
    /// Tags the line at the point; with the right button the current elevation first
    /// steps back by the auto-increment value (tagAt does it).
    std::function<void(int x, int y, MouseButton button)> tag;
    std::function<void(int x, int y)> removeWeb;
    std::function<void(int x, int y)> queryPixel;
    std::function<void(int x, int y)> showElevation;
    /// Appends the point to the digitiser's list, marks it and beeps.
    std::function<void(int x, int y)> digitise;
    std::function<void(int x, int y)> lineScan;
    /// A double click (the digitiser closes its polyline); it is not also a button press.
    std::function<void(int x, int y)> doubleClick;
    /// On release, with the rectangle in cells (never of zero area).
    std::function<void(const CellRect&)> clipText;
    std::function<void(int x, int y)> drawElevation;
    std::function<void(const CellRect&)> interpolateSubset;
};
