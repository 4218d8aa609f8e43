#include "engine/LaplacianSystem.h"
#include "DenseLeastSquares.h"

#include <gtest/gtest.h>
#include <numeric>
#include <random>

namespace {

using Entry = std::pair<std::uint32_t, int>;   // column, coefficient

std::vector<Entry> equation(const SparseRowSystem& s, std::size_t i)
{
    std::vector<Entry> out;
    for (std::uint32_t e = s.rowStart()[i]; e < s.rowStart()[i + 1]; ++e)
        out.push_back({s.columnIndices()[e], s.coefficients()[e]});
    return out;
}

} // namespace

TEST(LaplacianSystem, ThreeByThreeGridHasTheEquationsInTheProgramsOrder)
{
    RealGrid g(3, 3, 0.0);
    g(1, 1) = 7.0;   // node 4
    const SparseRowSystem s(g);
    ASSERT_EQ(s.equationCount(), 10);
    const std::vector<std::vector<Entry>> expected = {
        {{0, -2}, {1, 1}, {3, 1}},                   // corner (0,0)
        {{2, -2}, {1, 1}, {5, 1}},                   // corner (0,C-1)
        {{6, -2}, {7, 1}, {3, 1}},                   // corner (R-1,0)
        {{8, -2}, {7, 1}, {5, 1}},                   // corner (R-1,C-1)
        {{3, -3}, {4, 1}, {0, 1}, {6, 1}},           // left edge (1,0)
        {{5, -3}, {4, 1}, {2, 1}, {8, 1}},           // right edge (1,2)
        {{1, -3}, {0, 1}, {2, 1}, {4, 1}},           // bottom row (0,1)
        {{7, -3}, {6, 1}, {8, 1}, {4, 1}},           // top row (2,1)
        {{4, -4}, {3, 1}, {5, 1}, {1, 1}, {7, 1}},   // interior (1,1)
        {{4, 1}},                                    // data equation of node 4
    };
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(equation(s, i), expected[i]) << "equation " << i;
    EXPECT_EQ(s.rightHandSide(g, 2.5), (std::vector<double>{0, 0, 0, 0, 0, 0, 0, 0, 0, 17.5}));
}

TEST(LaplacianSystem, CountsRowSumsAndDataEquations)
{
    std::mt19937 gen(11);
    for (auto [R, C, known] : {std::tuple{2, 2, 0.5}, {2, 7, 0.0}, {5, 2, 1.0}, {6, 9, 0.3}, {13, 5, 0.5}}) {
        const RealGrid g = dense::randomKnownGrid<RealGrid>(gen, R, C, known);
        const SparseRowSystem s(g);
        std::int32_t N = 0;
        for (double z : g.cells()) N += z != 0.0;
        EXPECT_EQ(std::pair(s.equationCount(), s.knownCount()), std::pair(R * C + N, N));
        for (std::size_t i = 0; i < std::size_t(R * C); ++i) {   // the natural boundary condition: rows sum to 0
            const auto eq = equation(s, i);
            EXPECT_EQ(std::accumulate(eq.begin(), eq.end(), 0, [](int t, const Entry& e) { return t + e.second; }), 0);
            EXPECT_EQ(s.equationOf(int(eq[0].first) / C, int(eq[0].first) % C), i);
        }
        const std::vector<double> b = s.rightHandSide(g, 3.0);
        for (std::size_t k = 0, j = std::size_t(R * C); k < g.size(); ++k)
            if (g.data()[k] != 0.0) {
                EXPECT_EQ(equation(s, j), (std::vector<Entry>{{std::uint32_t(k), 1}}));
                EXPECT_EQ(b[j++], 3.0 * g.data()[k]);
            }
    }
}

// The fused products read the stencil instead of the stored entries; on every grid shape they
// give the bits of: scale by the pending scale, by the factor, add the stored product, sum squares.
TEST(LaplacianSystem, FusedProductsGiveTheBitsOfThePlainLoops)
{
    std::mt19937 gen(2024);
    for (auto [R, C] : {std::pair{2, 2}, {2, 3}, {3, 2}, {3, 3}, {4, 6}, {5, 8}, {7, 3}, {17, 5}, {64, 65}})
        for (double known : {0.0, 0.3, 1.0}) {
            const RealGrid g = dense::randomKnownGrid<RealGrid>(gen, R, C, known);
            SparseRowSystem s(g);
            std::uniform_real_distribution<double> f(-2, 2);
            const double factor = f(gen), uScale = f(gen), vScale = known == 1.0 ? 1.0 : f(gen);
            const std::vector<double> u0 = dense::randomValues(gen, std::size_t(s.equationCount()), -3, 3),
                                      v0 = dense::randomValues(gen, std::size_t(s.unknownCount()), -3, 3);
            std::vector<double> uPlain = u0, vScaled = v0, uFused = u0, vPlain = v0, uScaled = u0, vFused = v0;
            for (double& x : uPlain) x = x * uScale * factor;
            for (double& x : vScaled) x *= vScale;
            s.multiply(0, vScaled.data(), uPlain.data());
            EXPECT_EQ(s.forward(factor, uScale, uFused.data(), vScale, v0.data()), dense::dot(uPlain, uPlain));
            EXPECT_EQ(uFused, uPlain) << R << " x " << C << " known " << known;
            for (double& x : vPlain) x = x * vScale * factor;
            for (double& x : uScaled) x *= uScale;
            s.multiply(1, vPlain.data(), uScaled.data());
            EXPECT_EQ(s.adjoint(factor, vScale, vFused.data(), uScale, u0.data()), dense::dot(vPlain, vPlain));
            EXPECT_EQ(vFused, vPlain) << R << " x " << C << " known " << known;
        }
}
