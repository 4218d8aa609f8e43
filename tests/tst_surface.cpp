// The converged surfaces against a dense least-squares solution of the same energy, built here
// from its differences (not from the solver's stencil).
#include "engine/SurfaceSolver.h"
#include "DenseLeastSquares.h"

#include <gtest/gtest.h>
#include <cmath>
#include <random>

namespace {

/// Minimiser over the free cells of (1-t) [row and column second differences squared + 2 x mixed
/// differences squared] + t [first differences squared], every difference inside the grid.
RealGrid denseSurface(const RealGrid& z, const ByteGrid& fixed, double t)
{
    const int R = z.rows(), C = z.cols();
    std::vector<int> column(z.size(), -1);
    int n = 0;
    for (std::size_t k = 0; k < z.size(); ++k)
        if (!fixed.data()[k]) column[k] = n++;
    std::vector<std::vector<std::pair<std::size_t, double>>> terms;
    auto at = [C](int r, int c) { return std::size_t(r) * std::size_t(C) + std::size_t(c); };
    const double b = std::sqrt(1.0 - t), m = std::sqrt(2.0 * (1.0 - t)), l = std::sqrt(t);
    for (int r = 0; r < R; ++r)
        for (int c = 0; c < C; ++c) {
            if (c + 2 < C) terms.push_back({{at(r, c), b}, {at(r, c + 1), -2 * b}, {at(r, c + 2), b}});
            if (r + 2 < R) terms.push_back({{at(r, c), b}, {at(r + 1, c), -2 * b}, {at(r + 2, c), b}});
            if (r + 1 < R && c + 1 < C)
                terms.push_back({{at(r, c), m}, {at(r, c + 1), -m}, {at(r + 1, c), -m}, {at(r + 1, c + 1), m}});
            if (c + 1 < C) terms.push_back({{at(r, c), -l}, {at(r, c + 1), l}});
            if (r + 1 < R) terms.push_back({{at(r, c), -l}, {at(r + 1, c), l}});
        }
    dense::Matrix A(terms.size(), std::size_t(n));
    std::vector<double> rhs(terms.size(), 0.0);
    for (std::size_t i = 0; i < terms.size(); ++i)
        for (const auto& [k, w] : terms[i]) {
            if (column[k] >= 0) A(i, std::size_t(column[k])) += w;
            else rhs[i] -= w * z.data()[k];
        }
    const std::vector<double> x = dense::leastSquares(A, rhs);
    RealGrid out = z;
    for (std::size_t k = 0; k < z.size(); ++k)
        if (column[k] >= 0) out.data()[k] = x[std::size_t(column[k])];
    return out;
}

struct Case {
    const char* name;
    int rows, cols;
    double tension;
    double freeShare;   ///< of the cells, chosen at random
};

class SurfaceAgainstDense : public testing::TestWithParam<Case> {};

TEST_P(SurfaceAgainstDense, SolvesTheSameEnergy)
{
    const Case& k = GetParam();
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> height(100.0, 900.0), share(0.0, 1.0);
    RealGrid z(k.rows, k.cols);
    ByteGrid fixed(k.rows, k.cols);
    for (std::size_t i = 0; i < z.size(); ++i) {
        z.data()[i] = height(rng);
        fixed.data()[i] = share(rng) >= k.freeShare;
    }
    const RealGrid expected = denseSurface(z, fixed, k.tension);
    RealGrid solved = z;
    EXPECT_TRUE(solveSurface(solved, fixed, {k.tension, 1e-11, 500}).converged);
    for (int r = 0; r < k.rows; ++r)
        for (int c = 0; c < k.cols; ++c) {
            if (fixed(r, c)) ASSERT_EQ(solved(r, c), z(r, c));
            else ASSERT_NEAR(solved(r, c), expected(r, c), 1e-7) << r << "," << c;
        }
}

INSTANTIATE_TEST_SUITE_P(Surfaces, SurfaceAgainstDense,
                         testing::Values(Case{"harmonic", 9, 11, 1.0, 0.6}, Case{"tension", 10, 9, 0.25, 0.5},
                                         Case{"thinPlateMostlyFree", 12, 13, 0.0, 0.9},
                                         Case{"tensionLarge", 20, 23, 0.5, 0.8}, Case{"thinPlateNarrow", 3, 17, 0.0, 0.5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Surface, GroupsWithoutFixedCellsKeepTheirValues)
{
    RealGrid z(6, 6, 0.0);
    const ByteGrid fixed(6, 6, 0);
    const SurfaceResult result = solveSurface(z, fixed, {});
    EXPECT_EQ(std::pair(result.groups, z), std::pair(1, RealGrid(6, 6, 0.0)));
}

} // namespace
