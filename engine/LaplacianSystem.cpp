#include "engine/LaplacianSystem.h"

#include <algorithm>
#include <utility>
#include <cassert>
#include <cstdio>

SparseRowSystem::SparseRowSystem(const RealGrid& values) : rows_(values.rows()), cols_(values.cols())
{
    const int R = rows_, C = cols_;
    assert(R >= 2 && C >= 2 && std::int64_t(R) * C <= kMaxSystemNodes);
    nodeCount_ = std::size_t(R) * std::size_t(C);
    std::size_t known = 0;
    for (double z : values.cells())
        if (z != 0.0) ++known;
    equationCount_ = nodeCount_ + known;
    const std::size_t boundary = std::size_t(2 * R + 2 * C - 4);
    const std::size_t interior = std::size_t(R - 2) * std::size_t(C - 2);
    rowStart_.reserve(equationCount_ + 1);
    columnIndices_.reserve(4 * 3 + (boundary - 4) * 4 + interior * 5 + known);
    coefficients_.reserve(columnIndices_.capacity());
    rowStart_.push_back(0);

    auto k = [C](int r, int c) { return std::uint32_t(std::size_t(r) * std::size_t(C) + std::size_t(c)); };
    // Corners.
    addEquation({{k(0, 0), -2}, {k(0, 1), 1}, {k(1, 0), 1}});
    addEquation({{k(0, C - 1), -2}, {k(0, C - 2), 1}, {k(1, C - 1), 1}});
    addEquation({{k(R - 1, 0), -2}, {k(R - 1, 1), 1}, {k(R - 2, 0), 1}});
    addEquation({{k(R - 1, C - 1), -2}, {k(R - 1, C - 2), 1}, {k(R - 2, C - 1), 1}});
    // Left and right edges.
    for (int r = 1; r <= R - 2; ++r) addEquation({{k(r, 0), -3}, {k(r, 1), 1}, {k(r - 1, 0), 1}, {k(r + 1, 0), 1}});
    for (int r = 1; r <= R - 2; ++r)
        addEquation({{k(r, C - 1), -3}, {k(r, C - 2), 1}, {k(r - 1, C - 1), 1}, {k(r + 1, C - 1), 1}});
    // Bottom and top rows.
    for (int c = 1; c <= C - 2; ++c) addEquation({{k(0, c), -3}, {k(0, c - 1), 1}, {k(0, c + 1), 1}, {k(1, c), 1}});
    for (int c = 1; c <= C - 2; ++c)
        addEquation({{k(R - 1, c), -3}, {k(R - 1, c - 1), 1}, {k(R - 1, c + 1), 1}, {k(R - 2, c), 1}});
    // Interior, row-major: centre, left, right, below, above.
    for (int r = 1; r <= R - 2; ++r) {
        for (int c = 1; c <= C - 2; ++c) {
            const std::uint32_t centre = k(r, c);
            const std::uint32_t cols[5] = {centre, centre - 1, centre + 1, centre - std::uint32_t(C),
                                           centre + std::uint32_t(C)};
            columnIndices_.insert(columnIndices_.end(), cols, cols + 5);
            coefficients_.insert(coefficients_.end(), {-4, 1, 1, 1, 1});
            rowStart_.push_back(std::uint32_t(columnIndices_.size()));
        }
    }
    // Data equations of the known nodes, row-major.
    const double* z = values.data();
    for (std::size_t i = 0; i < nodeCount_; ++i) {
        if (z[i] == 0.0) continue;
        columnIndices_.push_back(std::uint32_t(i));
        coefficients_.push_back(1);
        rowStart_.push_back(std::uint32_t(columnIndices_.size()));
    }
    buildBandNodes();
}

void SparseRowSystem::addEquation(std::initializer_list<std::pair<std::uint32_t, std::int8_t>> entries)
{
    for (const auto& [column, coefficient] : entries) {
        columnIndices_.push_back(column);
        coefficients_.push_back(coefficient);
    }
    rowStart_.push_back(std::uint32_t(columnIndices_.size()));
}

std::uint32_t SparseRowSystem::equationOf(int r, int c) const
{
    const std::uint32_t R = std::uint32_t(rows_), C = std::uint32_t(cols_);
    const bool top = r == rows_ - 1, right = c == cols_ - 1;
    if (r == 0 && c == 0) return 0;
    if (r == 0 && right) return 1;
    if (top && c == 0) return 2;
    if (top && right) return 3;
    if (c == 0) return 4 + std::uint32_t(r - 1);
    if (right) return 4 + (R - 2) + std::uint32_t(r - 1);
    if (r == 0) return 4 + 2 * (R - 2) + std::uint32_t(c - 1);
    if (top) return 4 + 2 * (R - 2) + (C - 2) + std::uint32_t(c - 1);
    return 2 * R + 2 * C - 4 + std::uint32_t(r - 1) * (C - 2) + std::uint32_t(c - 1);
}

namespace {
/// A node whose equations are not all interior equations of the plain stencil.
bool isBandNode(int r, int c, int R, int C) { return r < 2 || r > R - 3 || c < 2 || c > C - 3; }
} // namespace

void SparseRowSystem::buildBandNodes()
{
    const int R = rows_, C = cols_;
    for (int r = 0; r < R; ++r) {
        for (int c = 0; c < C; ++c) {
            if (!isBandNode(r, c, R, C)) continue;
            BandNode b{};
            b.node = std::uint32_t(std::size_t(r) * std::size_t(C) + std::size_t(c));
            std::pair<std::uint32_t, std::int8_t> entries[5];
            int count = 0, neighbours = 0;
            const int dr[4] = {0, 0, -1, 1}, dc[4] = {-1, 1, 0, 0};
            for (int d = 0; d < 4; ++d) {
                const int nr = r + dr[d], nc = c + dc[d];
                if (nr < 0 || nr >= R || nc < 0 || nc >= C) continue;
                entries[count++] = {equationOf(nr, nc), 1};
                ++neighbours;
            }
            entries[count++] = {equationOf(r, c), std::int8_t(-neighbours)};
            for (int i = 1; i < count; ++i)   // in equation order (a short insertion sort)
                for (int j = i; j > 0 && entries[j].first < entries[j - 1].first; --j)
                    std::swap(entries[j], entries[j - 1]);
            b.count = std::uint8_t(count);
            for (int i = 0; i < count; ++i) {
                b.equation[i] = entries[i].first;
                b.coefficient[i] = entries[i].second;
            }
            bandNodes_.push_back(b);
        }
    }
}

std::vector<double> SparseRowSystem::rightHandSide(const RealGrid& values, double scaleFactor) const
{
    std::vector<double> b(equationCount_, 0.0);
    std::size_t j = nodeCount_;
    for (double z : values.cells())
        if (z != 0.0) b[j++] = scaleFactor * z;
    return b;
}

void SparseRowSystem::multiply(long mode, double* x, double* y) const
{
    const std::uint32_t* col = columnIndices_.data();
    const std::int8_t* coef = coefficients_.data();
    if (mode == 0) {
        for (std::size_t i = 0; i < equationCount_; ++i) {
            double s = y[i];
            for (std::uint32_t e = rowStart_[i]; e < rowStart_[i + 1]; ++e) s = s + double(coef[e]) * x[col[e]];
            y[i] = s;
        }
    } else if (mode == 1) {
        for (std::size_t i = 0; i < equationCount_; ++i) {
            const double yi = y[i];
            for (std::uint32_t e = rowStart_[i]; e < rowStart_[i + 1]; ++e)
                x[col[e]] = x[col[e]] + double(coef[e]) * yi;
        }
    } else {
        std::fputs("Error interpreting mode flag in test_mult.\n", stdout);
    }
}

void sparseRowProduct(long mode, dvec* x, dvec* y, void* data)
{
    static_cast<const SparseRowSystem*>(data)->multiply(mode, x->elements, y->elements);
}
