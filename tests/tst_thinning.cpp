#include "graphics/Thinning.h"
#include "GridArt.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <random>

namespace {

using Picture = Grid<std::uint32_t>;

/// One Zhang-Suen iteration written out pixel by pixel as the method is stated:
/// the oracle for the table-driven thinning.
bool referenceThin(Picture& p)
{
    const int R = p.rows(), C = p.cols();
    ByteGrid F = gridBy(R, C, [&](int r, int c) { return std::uint8_t((p(r, c) & 0xFFFFFF) == 0); });
    bool any = false;
    for (int sub = 0; sub < 2; ++sub) {
        std::vector<std::pair<int, int>> doomed;
        for (int r = 1; r < R - 1; ++r)
            for (int c = 1; c < C - 1; ++c) {
                if (!F(r, c)) continue;
                const int P[11] = {0, 0, F(r - 1, c), F(r - 1, c + 1), F(r, c + 1), F(r + 1, c + 1),
                                   F(r + 1, c), F(r + 1, c - 1), F(r, c - 1), F(r - 1, c - 1), F(r - 1, c)};
                int B = 0, A = 0;
                for (int i = 2; i <= 9; ++i) {
                    B += P[i];
                    A += P[i] == 0 && P[i + 1] == 1;
                }
                const bool keep = sub == 0 ? (P[2] * P[4] * P[6] == 0 && P[4] * P[6] * P[8] == 0)
                                           : (P[2] * P[4] * P[8] == 0 && P[2] * P[6] * P[8] == 0);
                if (B >= 2 && B <= 6 && A == 1 && keep) doomed.push_back({r, c});
            }
        for (auto [r, c] : doomed) F(r, c) = 0;
        any = any || !doomed.empty();
    }
    if (!any) return false;
    p = gridBy(R, C, [&](int r, int c) { return F(r, c) ? 0u : 0xFFFFFFu; });
    return true;
}

} // namespace

TEST(Thinning, AgreesWithThePixelByPixelMethod)
{
    std::mt19937 gen(5);
    std::bernoulli_distribution ink(0.45);
    for (int trial = 0; trial < 30; ++trial) {
        Picture p(23, 31);
        for (std::uint32_t& v : p.cells()) v = ink(gen) ? 0u : (gen() % 4 ? 0xFFFFFFu : 0x808080u);
        Picture q = p;
        for (int it = 0; it < 4; ++it) {
            const bool a = thinIteration(p), b = referenceThin(q);
            ASSERT_EQ(std::pair(a, p), std::pair(b, q)) << trial << "/" << it;
        }
    }
}
