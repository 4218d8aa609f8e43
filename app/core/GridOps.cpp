#include "app/core/GridOps.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace gridops {

double minimum(const RealGrid& g) noexcept
{
    double m = 2147483647.0;
    for (double v : g.cells())
        if (v < m) m = v;
    return m;
}

double maximum(const RealGrid& g) noexcept
{
    double m = -2147483645.0;
    for (double v : g.cells())
        if (v > m) m = v;
    return m;
}

std::int32_t minimum(const IntGrid& g) noexcept
{
    std::int32_t m = 2147483647;
    for (std::int32_t v : g.cells())
        if (v < m) m = v;
    return m;
}

std::int32_t maximum(const IntGrid& g) noexcept
{
    std::int32_t m = -2147483645;
    for (std::int32_t v : g.cells())
        if (v > m) m = v;
    return m;
}

IntGrid floorToIntGrid(const RealGrid& g)
{
    IntGrid out(g.rows(), g.cols());
    auto src = g.cells();
    auto dst = out.cells();
    for (std::size_t i = 0; i < src.size(); ++i) dst[i] = floorToInt(src[i]);
    return out;
}

IntGrid truncToIntGrid(const RealGrid& g)
{
    IntGrid out(g.rows(), g.cols());
    auto src = g.cells();
    auto dst = out.cells();
    for (std::size_t i = 0; i < src.size(); ++i) dst[i] = truncToInt(src[i]);
    return out;
}

namespace {

bool fitsShort(std::int32_t v) noexcept
{
    return v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max();
}

/// convert(cell) of every cell in 16 bits, or nothing when one does not fit.
template <class T, class Convert>
std::optional<ShortGrid> shortGrid(const Grid<T>& g, Convert convert)
{
    auto cells = g.cells();
    if (!std::all_of(cells.begin(), cells.end(), [&](T v) { return fitsShort(convert(v)); })) return std::nullopt;
    ShortGrid out(g.rows(), g.cols(), ShortGrid::Unset{});
    std::transform(cells.begin(), cells.end(), out.data(), [&](T v) { return std::int16_t(convert(v)); });
    return out;
}

} // namespace

IntGrid truncToIntGrid(RealGrid&& g)
{
    std::optional<ShortGrid> packed = shortGrid(g, truncToInt);
    if (!packed) {
        IntGrid out = truncToIntGrid(g);
        g = RealGrid();
        return out;
    }
    g = RealGrid();
    return toIntGrid(*packed);
}

std::optional<ShortGrid> toShortGrid(const IntGrid& g)
{
    return shortGrid(g, [](std::int32_t v) { return v; });
}

IntGrid toIntGrid(const ShortGrid& g)
{
    IntGrid out(g.rows(), g.cols(), IntGrid::Unset{});
    std::copy(g.cells().begin(), g.cells().end(), out.data());
    return out;
}

RealGrid toRealGrid(const IntGrid& g)
{
    RealGrid out(g.rows(), g.cols());
    auto src = g.cells();
    auto dst = out.cells();
    for (std::size_t i = 0; i < src.size(); ++i) dst[i] = src[i];
    return out;
}

RealGrid toRealGrid(IntGrid&& g)
{
    if (g.empty()) return RealGrid();
    RealGrid out(g.rows(), g.cols(), RealGrid::Unset{});
    // The integers go to the upper half of the real grid's storage. Going forward, each is read
    // before the real values, twice as wide, reach it: real value i ends at byte 8i + 8, integer
    // i + 1 starts at byte 4n + 4i + 4, and i < n.
    const std::size_t n = g.size();
    unsigned char* const bytes = reinterpret_cast<unsigned char*>(out.data());
    unsigned char* const upper = bytes + n * (sizeof(double) - sizeof(std::int32_t));
    std::memcpy(upper, g.data(), n * sizeof(std::int32_t));
    g = IntGrid();
    for (std::size_t i = 0; i < n; ++i) {
        std::int32_t v;
        std::memcpy(&v, upper + i * sizeof v, sizeof v);
        const double real = v;
        std::memcpy(bytes + i * sizeof real, &real, sizeof real);
    }
    return out;
}

RealGrid engineGridFromInput(IntGrid&& input)
{
    RealGrid out = flipped(toRealGrid(std::move(input)));
    for (double& v : out.cells())
        if (v == 255.0) v = engineValue(255);
    return out;
}

RealGrid engineGridFromInput(const IntGrid& input)
{
    const int R = input.rows(), C = input.cols();
    RealGrid out(R, C);
    for (int i = 0; i < R; ++i) {
        const std::int32_t* src = input.row(i);
        double* dst = out.row(R - 1 - i);
        for (int j = 0; j < C; ++j) dst[j] = engineValue(src[j]);
    }
    return out;
}

} // namespace gridops
