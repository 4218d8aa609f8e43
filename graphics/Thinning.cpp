#include "graphics/Thinning.h"

#include <array>
#include <vector>

namespace {

// Neighbour bits: P2 (N) = bit 0, P3 (NE) = 1, P4 (E) = 2, P5 (SE) = 3,
// P6 (S) = 4, P7 (SW) = 5, P8 (W) = 6, P9 (NW) = 7.
constexpr int kN = 1, kE = 4, kS = 16, kW = 64;

/// Deletion tables for the two sub-passes, indexed by the neighbour bits.
struct DeletionTables {
    std::array<bool, 256> first{}, second{};

    DeletionTables()
    {
        for (int m = 0; m < 256; ++m) {
            int b = 0, a = 0;
            for (int k = 0; k < 8; ++k) {
                b += (m >> k) & 1;
                const bool here = (m >> k) & 1, next = (m >> ((k + 1) % 8)) & 1;
                if (!here && next) ++a;
            }
            const bool common = b >= 2 && b <= 6 && a == 1;
            auto all = [&](int bits) { return (m & bits) == bits; };
            first[m] = common && !all(kN | kE | kS) && !all(kE | kS | kW);
            second[m] = common && !all(kN | kE | kW) && !all(kN | kS | kW);
        }
    }
};

int neighbourBits(const std::vector<std::uint8_t>& fg, std::size_t i, std::size_t cols)
{
    const std::size_t up = i - cols, down = i + cols;
    return fg[up] | fg[up + 1] << 1 | fg[i + 1] << 2 | fg[down + 1] << 3 | fg[down] << 4 | fg[down - 1] << 5 |
           fg[i - 1] << 6 | fg[up - 1] << 7;
}

/// One sub-pass: decides on the unchanged foreground, then deletes. Returns the number deleted.
std::size_t subPass(std::vector<std::uint8_t>& fg, int rows, int cols, const std::array<bool, 256>& deletes,
                    std::vector<std::size_t>& doomed)
{
    doomed.clear();
    const std::size_t C = std::size_t(cols);
    for (int r = 1; r + 1 < rows; ++r)
        for (std::size_t i = std::size_t(r) * C + 1, end = std::size_t(r) * C + C - 1; i < end; ++i)
            if (fg[i] && deletes[std::size_t(neighbourBits(fg, i, C))]) doomed.push_back(i);
    for (std::size_t i : doomed) fg[i] = 0;
    return doomed.size();
}

} // namespace

bool thinIteration(Grid<std::uint32_t>& picture)
{
    static const DeletionTables tables;
    const int rows = picture.rows(), cols = picture.cols();
    std::vector<std::uint8_t> fg(picture.size());
    auto pixels = picture.cells();
    for (std::size_t i = 0; i < fg.size(); ++i) fg[i] = (pixels[i] & 0xFFFFFFu) == 0;

    std::vector<std::size_t> doomed;
    const std::size_t deleted = subPass(fg, rows, cols, tables.first, doomed) +
                                subPass(fg, rows, cols, tables.second, doomed);
    if (deleted == 0) return false;
    for (std::size_t i = 0; i < fg.size(); ++i) pixels[i] = fg[i] ? 0u : 0xFFFFFFu;
    return true;
}

void readBackThinned(const Grid<std::uint32_t>& picture, IntGrid& imageArray, IntGrid& elevationArray)
{
    imageArray = IntGrid(picture.rows(), picture.cols());
    elevationArray = IntGrid(picture.rows(), picture.cols());
    auto src = picture.cells();
    auto image = imageArray.cells();
    auto elevation = elevationArray.cells();
    for (std::size_t i = 0; i < src.size(); ++i) {
        const std::uint32_t c = src[i] & 0xFFFFFFu;
        image[i] = std::int32_t(c);
        elevation[i] = c >= 0xFFFFFFu ? 255 : 0;
    }
}
