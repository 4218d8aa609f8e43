#include "app/core/GridOps.h"

#include <algorithm>
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
    auto cells = g.cells();
    const bool narrow = std::all_of(cells.begin(), cells.end(), [](std::int32_t v) {
        return v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max();
    });
    if (!narrow) {
        RealGrid out = toRealGrid(g);
        g = IntGrid();
        return out;
    }
    const std::vector<std::int16_t> packed(cells.begin(), cells.end());
    const int rows = g.rows(), cols = g.cols();
    g = IntGrid();
    RealGrid out(rows, cols);
    std::copy(packed.begin(), packed.end(), out.data());
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
