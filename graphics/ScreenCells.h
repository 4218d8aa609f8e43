// Screen points and the cells under them.
//
// A click on the graphics window arrives in screen pixels of the displayed
// picture, which is the array magnified by zoomFactor (a power of two). The
// cell under screen point (x, y) is row y / zoomFactor, column x / zoomFactor
// (integer division).
#pragma once

#include <cstdint>

/// The mouse button of a click on the picture.
enum class MouseButton { Left, Right, Other };

struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

struct Cell {
    int row = 0;
    int col = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

/// The cell under a screen point. Pre: zoomFactor >= 1.
inline Cell cellUnder(int x, int y, int zoomFactor) { return {y / zoomFactor, x / zoomFactor}; }
inline Cell cellUnder(ScreenPoint p, int zoomFactor) { return cellUnder(p.x, p.y, zoomFactor); }

/// A picture's 0xRRGGBB colour without any bits above the blue, green and red bytes.
inline std::uint32_t rgbOf(std::uint32_t colour) { return colour & 0xFFFFFFu; }
