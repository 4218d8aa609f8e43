// Operations shared by every subsystem: grid minimum and maximum (with the
// program's fixed starting values), real-to-integer conversions, the Bresenham
// line, and the two orientation hand-overs.
#pragma once

#include "app/core/Grid.h"

#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <limits>
#include <optional>

namespace gridops {

/// Truncation toward zero, as every real-to-integer conversion of the program.
/// NaN gives 0 and values beyond the 32-bit range saturate, so no conversion is undefined.
inline std::int32_t truncToInt(double v) noexcept
{
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (v <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

/// Rounding down (toward minus infinity), saturating like truncToInt.
inline std::int32_t floorToInt(double v) noexcept { return truncToInt(std::floor(v)); }

/// Smallest element; the search starts from 2147483647.0 (an empty grid yields it).
double minimum(const RealGrid& g) noexcept;
/// Largest element; the search starts from -2147483645.0.
double maximum(const RealGrid& g) noexcept;
/// Smallest element; the search starts from 2147483647.
std::int32_t minimum(const IntGrid& g) noexcept;
/// Largest element; the search starts from -2147483645.
std::int32_t maximum(const IntGrid& g) noexcept;

/// Each element rounded down to an integer.
IntGrid floorToIntGrid(const RealGrid& g);
/// Each element truncated toward zero.
IntGrid truncToIntGrid(const RealGrid& g);
/// The same for a grid the caller gives up: it is released before the integer grid is built, its
/// values held meanwhile in 16 bits when they all fit, so the two are never held whole together.
IntGrid truncToIntGrid(RealGrid&& g);
/// Each element as a 64-bit float.
RealGrid toRealGrid(const IntGrid& g);
/// The same for a grid the caller gives up, converted inside the real grid's own storage: the
/// given grid, then the half of the real grid it is copied into, then the whole real grid are
/// held, never the given grid and the whole real grid together.
RealGrid toRealGrid(IntGrid&& g);
/// The grid in 16 bits, or nothing when a value does not fit.
std::optional<ShortGrid> toShortGrid(const IntGrid& g);
/// Each element as a 32-bit integer.
IntGrid toIntGrid(const ShortGrid& g);
/// The session's input grid (north row first, 255 = no data) in engine order (south row
/// first) with 0.0 = unknown: row i becomes row rows-1-i.
RealGrid engineGridFromInput(const IntGrid& input);
/// The same for an input the caller gives up, released as the engine grid is built.
RealGrid engineGridFromInput(IntGrid&& input);
/// One posting of the session's input grid as the engine sees it (255 = no data = 0.0).
inline double engineValue(std::int32_t input) noexcept { return input == 255 ? 0.0 : double(input); }

/// Integer Bresenham line, both end points included, from (x0, y0) to (x1, y1)
/// where x is the column and y the row. visit(x, y) is called for every point
/// in order, inside or outside any grid.
template <class Visit>
void bresenham(int x0, int y0, int x1, int y1, Visit&& visit)
{
    const long long dx = std::llabs((long long)x1 - x0), dy = std::llabs((long long)y1 - y0);
    const int sx = x0 > x1 ? -1 : 1, sy = y0 > y1 ? -1 : 1;
    long long x = x0, y = y0;
    if (dy > dx) {
        long long acc = dy / 2;
        for (long long i = 0; i <= dy; ++i) {
            visit(int(x), int(y));
            acc += dx;
            if (acc >= dy) { acc -= dy; x += sx; }
            y += sy;
        }
    } else {
        long long acc = dx / 2;
        for (long long i = 0; i <= dx; ++i) {
            visit(int(x), int(y));
            acc += dy;
            if (acc >= dx) { acc -= dx; y += sy; }
            x += sx;
        }
    }
}

/// Draws the Bresenham line into a grid, writing value into every cell on it;
/// cells outside the grid are skipped.
template <class T>
void drawLine(Grid<T>& g, int x0, int y0, int x1, int y1, T value)
{
    bresenham(x0, y0, x1, y1, [&](int x, int y) {
        if (g.contains(y, x)) g(y, x) = value;
    });
}

/// Engine order (south row first) of a north-first grid: row i becomes row rows-1-i.
template <class T>
Grid<T> flipped(Grid<T> g)
{
    g.flipRows();
    return g;
}

} // namespace gridops
