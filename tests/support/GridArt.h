// Small grids drawn as text for tests: one string per row.
#pragma once

#include "app/core/Grid.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

/// A grid whose cell (r, c) holds value(r, c).
template <class F>
auto gridBy(int rows, int cols, F value)
{
    Grid<decltype(value(0, 0))> g(rows, cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) g(r, c) = value(r, c);
    return g;
}

/// A grid whose cell (r, c) is legend[art[r][c]].
template <class T>
Grid<T> gridFromArt(const std::vector<std::string>& art, const std::map<char, T>& legend)
{
    return gridBy(int(art.size()), art.empty() ? 0 : int(art[0].size()),
                  [&](int r, int c) { return legend.at(art[std::size_t(r)][std::size_t(c)]); });
}

/// The grid drawn back as text; cells not in the legend are drawn '?'.
template <class T>
std::vector<std::string> artFromGrid(const Grid<T>& g, const std::map<char, T>& legend)
{
    std::vector<std::string> art(std::size_t(g.rows()), std::string(std::size_t(g.cols()), '?'));
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c)
            for (const auto& [k, v] : legend)
                if (v == g(r, c)) art[std::size_t(r)][std::size_t(c)] = k;
    return art;
}

/// Line code of elevationArray: '#' line pixel (0), '.' background (255).
inline const std::map<char, std::int32_t> kLineCode = {{'#', 0}, {'.', 255}};
/// Picture colours: '#' black ink, '.' white.
inline const std::map<char, std::int32_t> kInk = {{'#', 0x000000}, {'.', 0xFFFFFF}};

/// A picture of `rows` lines from its colours in row order.
inline IntGrid pictureOf(std::initializer_list<std::int32_t> colours, int rows)
{
    IntGrid g(rows, int(colours.size()) / rows);
    std::copy(colours.begin(), colours.end(), g.data());
    return g;
}

/// An integer ramp: cell (r, c) holds r * 1000 + c.
inline IntGrid ramp(int rows, int cols)
{
    return gridBy(rows, cols, [](int r, int c) { return std::int32_t(r * 1000 + c); });
}

/// The values at the given (row, column) cells, to compare several cells in one check.
template <class T>
std::vector<T> cellsAt(const Grid<T>& g, std::initializer_list<std::pair<int, int>> cells)
{
    std::vector<T> values;
    for (const auto& [r, c] : cells) values.push_back(g(r, c));
    return values;
}
