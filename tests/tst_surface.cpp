// The converged surfaces against a dense least-squares solution of the same energy, built here
// from its differences (not from the solver's stencil).
#include "engine/SurfaceSolver.h"
#include "DenseLeastSquares.h"

#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
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

} // namespace

TEST(Surface, SolvesTheSameEnergyAsADenseLeastSquaresSolution)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> height(100.0, 900.0), share(0.0, 1.0);
    // Harmonic, tension, thin plate mostly free, a larger tension, a narrow thin plate.
    for (auto [R, C, tension, freeShare] :
         {std::tuple{9, 11, 1.0, 0.6}, {10, 9, 0.25, 0.5}, {12, 13, 0.0, 0.9}, {20, 23, 0.5, 0.8}, {3, 17, 0.0, 0.5}}) {
        RealGrid z(R, C);
        ByteGrid fixed(R, C);
        for (std::size_t i = 0; i < z.size(); ++i) z.data()[i] = height(rng), fixed.data()[i] = share(rng) >= freeShare;
        const RealGrid expected = denseSurface(z, fixed, tension);
        RealGrid solved = z;
        EXPECT_TRUE(solveSurface(solved, fixed, {tension, 1e-11, 500}).converged);
        for (std::size_t k = 0; k < z.size(); ++k)   // fixed cells exactly as given
            ASSERT_NEAR(solved.data()[k], expected.data()[k], fixed.data()[k] ? 0.0 : 1e-7)
                << R << " x " << C << " at " << k;
    }
}

TEST(Surface, GroupsWithoutFixedCellsKeepTheirValues)
{
    RealGrid z(6, 6, 0.0);
    EXPECT_EQ(solveSurface(z, ByteGrid(6, 6, 0), {}).groups, 1);
    EXPECT_EQ(z, RealGrid(6, 6, 0.0));
}

TEST(Surface, AWorkerThreadChangesNoBits)
{
    // Big enough for the passes to be shared; half of the cells fixed, one void of a fifth of the grid.
    const int R = 300, C = 290;
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> height(100.0, 900.0), share(0.0, 1.0);
    RealGrid z(R, C);
    ByteGrid fixed(R, C);
    for (int r = 0; r < R; ++r)
        for (int c = 0; c < C; ++c) {
            const std::size_t k = std::size_t(r) * C + c;
            z.data()[k] = height(rng);
            fixed.data()[k] = share(rng) < 0.5 && !(r > 100 && r < 230 && c > 40 && c < 130);
        }
    for (double tension : {0.0, 0.3}) {
        RealGrid alone = z, shared = z;
        const SurfaceResult a = solveSurface(alone, fixed, {tension, 1e-6, 1000, false});
        const SurfaceResult b = solveSurface(shared, fixed, {tension, 1e-6, 1000, true});
        EXPECT_TRUE(a.converged);
        EXPECT_EQ(a.iterations, b.iterations);
        EXPECT_EQ(a.relativeResidual, b.relativeResidual);
        EXPECT_EQ(std::memcmp(alone.data(), shared.data(), z.size() * sizeof(double)), 0) << tension;
    }
}

TEST(Surface, PolynomialsTheEquationsHoldComeBackExactly)
{
    // With the voids off the two outer rings only the interior equations act: a harmonic polynomial
    // solves every surface's, a cubic with a non-zero Laplacian only the thin plate's.
    const int R = 21, C = 24;
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> share(0.0, 1.0);
    ByteGrid fixed(R, C);
    for (int r = 0; r < R; ++r)
        for (int c = 0; c < C; ++c)
            fixed(r, c) = r < 2 || c < 2 || r > R - 3 || c > C - 3 || share(rng) < 0.3;
    auto harmonic = [](double r, double c) { return 500 + r * r - c * c + 0.5 * r * c - 3 * r; };
    auto cubic = [](double r, double c) { return 200 + 0.05 * r * r * r + 0.1 * r * c * c - c; };
    for (auto [name, f, tension, exact] :
         {std::tuple{"harmonic", +harmonic, 1.0, true}, {"harmonic", +harmonic, 0.0, true},
          {"harmonic", +harmonic, 0.4, true}, {"cubic", +cubic, 0.0, true}, {"cubic", +cubic, 1.0, false},
          {"cubic", +cubic, 0.4, false}}) {
        RealGrid z(R, C), solved(R, C);
        for (int r = 0; r < R; ++r)
            for (int c = 0; c < C; ++c) {
                z(r, c) = f(r, c);
                solved(r, c) = fixed(r, c) ? z(r, c) : 0.0;
            }
        ASSERT_TRUE(solveSurface(solved, fixed, {tension, 1e-10, 1000}).converged);
        double worst = 0.0;
        for (std::size_t k = 0; k < z.size(); ++k) worst = std::max(worst, std::fabs(solved.data()[k] - z.data()[k]));
        if (exact) EXPECT_LT(worst, 1e-6) << name << " tension " << tension;
        else EXPECT_GT(worst, 0.01) << name << " tension " << tension;
    }
}
