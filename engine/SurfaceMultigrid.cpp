#include "engine/SurfaceMultigrid.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace {

/// Chebyshev degree of each smoothing, and on the coarsest grid.
constexpr int kSmoothingDegree = 4;
constexpr int kCoarsestDegree = 24;
/// A grid with a side below this is the coarsest.
constexpr int kCoarsestSide = 8;
/// The smoother damps the eigenvalues of D^-1 A in [lambdaMax / kSmoothingRange, lambdaMax].
constexpr double kSmoothingRange = 30.0;
constexpr double kCoarsestRange = 400.0;
/// The reaction weight of a fixed cell on the first coarse grid, in units of the interior diagonal.
constexpr double kFixedWeight = 0.25;
/// A level of at least this many cells shares its passes with the worker (a hand-over costs tens of
/// microseconds; a pass over this many cells takes a few hundred).
constexpr std::size_t kParallelCells = 65536;

/// The operator at (r, c) from its definition as a sum of squared differences, with the natural
/// boundary: every difference that lies wholly inside the R x C grid.
template <class T>
double gatherAt(const T* x, int R, int C, int r, int c, double b, double l)
{
    auto X = [&](int rr, int cc) { return double(x[std::size_t(rr) * std::size_t(C) + std::size_t(cc)]); };
    double y = 0.0;
    if (b != 0.0) {
        for (int q = c - 1; q <= c + 1; ++q) {   // second differences along the row
            if (q < 1 || q > C - 2) continue;
            const double coef = q == c ? -2.0 : 1.0;
            y += b * coef * (X(r, q - 1) - 2.0 * X(r, q) + X(r, q + 1));
        }
        for (int q = r - 1; q <= r + 1; ++q) {   // along the column
            if (q < 1 || q > R - 2) continue;
            const double coef = q == r ? -2.0 : 1.0;
            y += b * coef * (X(q - 1, c) - 2.0 * X(q, c) + X(q + 1, c));
        }
        for (int r0 = r - 1; r0 <= r; ++r0)      // mixed differences of the 2 x 2 squares, weight 2
            for (int c0 = c - 1; c0 <= c; ++c0) {
                if (r0 < 0 || c0 < 0 || r0 + 1 >= R || c0 + 1 >= C) continue;
                const double coef = (r - r0) == (c - c0) ? 1.0 : -1.0;
                y += 2.0 * b * coef * (X(r0, c0) - X(r0, c0 + 1) - X(r0 + 1, c0) + X(r0 + 1, c0 + 1));
            }
    }
    if (l != 0.0) {
        if (c > 0) y += l * (X(r, c) - X(r, c - 1));
        if (c < C - 1) y += l * (X(r, c) - X(r, c + 1));
        if (r > 0) y += l * (X(r, c) - X(r - 1, c));
        if (r < R - 1) y += l * (X(r, c) - X(r + 1, c));
    }
    return y;
}

bool inBand(int r, int c, int R, int C) { return r < 2 || r > R - 3 || c < 2 || c > C - 3; }

/// A(p, p) at (r, c): the squared coefficients of p in the differences that hold it.
double diagonalAt(int R, int C, int r, int c, double b, double l)
{
    double second = 0.0, mixed = 0.0;
    for (int q = c - 1; q <= c + 1; ++q)
        if (q >= 1 && q <= C - 2) second += q == c ? 4.0 : 1.0;
    for (int q = r - 1; q <= r + 1; ++q)
        if (q >= 1 && q <= R - 2) second += q == r ? 4.0 : 1.0;
    for (int r0 = r - 1; r0 <= r; ++r0)
        for (int c0 = c - 1; c0 <= c; ++c0)
            if (r0 >= 0 && c0 >= 0 && r0 + 1 < R && c0 + 1 < C) mixed += 2.0;
    const double first = double(int(c > 0) + int(c < C - 1) + int(r > 0) + int(r < R - 1));
    return b * (second + mixed) + l * first;
}

/// y := A x (+ reaction x) on rows [first, last) of the R x C grid: the fused stencil inside, the
/// definition on the two outer rings; cells flagged in skip (when given) get 0 there. Row r is
/// written to rowOut(r) and handed to rowDone(r) when complete.
template <class In, class Out, class RowOut, class RowDone>
void applyStencilRows(int R, int C, int first, int last, double b, double l, const float* reaction,
                      const std::uint8_t* skip, const In* __restrict x, RowOut rowOut, RowDone rowDone)
{
    const Out centre = Out(20.0 * b + 4.0 * l), edge = Out(-8.0 * b - l), diag = Out(2.0 * b), far = Out(b);
    const std::ptrdiff_t W = C, W2 = 2 * std::ptrdiff_t(C);
    for (int r = first; r < last; ++r) {
        Out* __restrict yr = rowOut(r);
        const In* __restrict p = x + std::ptrdiff_t(r) * W;
        const float* rr = reaction ? reaction + std::ptrdiff_t(r) * W : nullptr;
        const std::uint8_t* sk = skip ? skip + std::ptrdiff_t(r) * W : nullptr;
        auto band = [&](int c) {
            if (sk && sk[c]) {
                yr[c] = Out(0);
                return;
            }
            double v = gatherAt(x, R, C, r, c, b, l);
            if (rr) v += double(rr[c]) * double(p[c]);
            yr[c] = Out(v);
        };
        if (r < 2 || r > R - 3) {
            for (int c = 0; c < C; ++c) band(c);
            rowDone(r);
            continue;
        }
        for (int c = 0; c < std::min(2, C); ++c) band(c);
        const std::ptrdiff_t end = C - 2;
        if (rr) {
            for (std::ptrdiff_t c = 2; c < end; ++c)
                yr[c] = (centre + Out(rr[c])) * Out(p[c]) +
                        edge * Out(p[c - 1] + p[c + 1] + p[c - W] + p[c + W]) +
                        diag * Out(p[c - W - 1] + p[c - W + 1] + p[c + W - 1] + p[c + W + 1]) +
                        far * Out(p[c - 2] + p[c + 2] + p[c - W2] + p[c + W2]);
        } else {
            for (std::ptrdiff_t c = 2; c < end; ++c)
                yr[c] = centre * Out(p[c]) + edge * Out(p[c - 1] + p[c + 1] + p[c - W] + p[c + W]) +
                        diag * Out(p[c - W - 1] + p[c - W + 1] + p[c + W - 1] + p[c + W + 1]) +
                        far * Out(p[c - 2] + p[c + 2] + p[c - W2] + p[c + W2]);
        }
        for (int c = std::max(2, C - 2); c < C; ++c) band(c);
        rowDone(r);
    }
}

template <class In, class Out>
void applyStencil(int R, int C, int first, int last, double b, double l, const float* reaction,
                  const std::uint8_t* skip, const In* x, Out* y)
{
    applyStencilRows<In, Out>(R, C, first, last, b, l, reaction, skip, x,
                              [y, C](int r) { return y + std::ptrdiff_t(r) * std::ptrdiff_t(C); }, [](int) {});
}

} // namespace

SurfaceMultigrid::SurfaceMultigrid(int rows, int cols, std::vector<std::uint8_t> fixed, double tension, bool worker)
    : rows_(rows), cols_(cols), fixed_(std::move(fixed)), tension_(std::clamp(tension, 0.0, 1.0)),
      halves_(worker && parallel(std::size_t(rows) * std::size_t(cols)) && std::thread::hardware_concurrency() > 1)
{
    build();
    for (int half = 0; half < 2; ++half) {
        rowScratch_[half].resize(2 * std::size_t(cols_));
        diagonalRow_[half].resize(std::size_t(cols_));
        productRow_[half].resize(std::size_t(cols_));
    }
}

bool SurfaceMultigrid::parallel(std::size_t cells) { return cells >= kParallelCells; }

void SurfaceMultigrid::build()
{
    int R = rows_, C = cols_;
    double b = 1.0 - tension_, l = tension_;
    std::vector<float> weight;   // the reaction of the level being built (empty on the finest)
    for (;;) {
        Level L;
        L.rows = R;
        L.cols = C;
        L.biharmonic = float(b);
        L.laplacian = float(l);
        const std::size_t n = std::size_t(R) * std::size_t(C);
        L.reaction = weight;
        // The finest level's inverse diagonal is formed a row at a time when needed (one grid fewer).
        if (!levels_.empty()) L.inverseDiagonal.resize(n);
        const double interior = 20.0 * b + 4.0 * l;
        for (int r = 0; r < R; ++r)
            for (int c = 0; c < C; ++c) {
                const std::size_t k = std::size_t(r) * std::size_t(C) + std::size_t(c);
                double d = interior;
                if (inBand(r, c, R, C)) d = diagonalAt(R, C, r, c, b, l);
                if (!weight.empty()) d += weight[k];
                const bool fixedCell = levels_.empty() && fixed_[k] != 0;
                if (!levels_.empty()) L.inverseDiagonal[k] = fixedCell || d <= 0.0 ? 0.0f : float(1.0 / d);
            }
        if (!levels_.empty()) L.rhs.assign(n, 0.0f);   // the finest reads the caller's residual
        L.solution.assign(n, 0.0f);
        L.residual.assign(n, 0.0f);
        L.direction.assign(n, 0.0f);
        L.product.assign(n, 0.0f);
        const bool coarsest = std::min(R, C) < kCoarsestSide;
        // The reaction of the next level: P^T (weights of this level), lumped.
        std::vector<float> fineWeight = weight;
        if (levels_.empty()) {
            fineWeight.assign(n, 0.0f);
            for (std::size_t k = 0; k < n; ++k)
                if (fixed_[k]) fineWeight[k] = float(kFixedWeight * interior);
        }
        levels_.push_back(std::move(L));
        if (coarsest) break;
        const int Rc = R / 2 + 1, Cc = C / 2 + 1;
        weight.assign(std::size_t(Rc) * std::size_t(Cc), 0.0f);
        for (int r = 0; r < R; ++r)
            for (int c = 0; c < C; ++c) {
                const float w = fineWeight[std::size_t(r) * std::size_t(C) + std::size_t(c)];
                if (w == 0.0f) continue;
                for (int i = r / 2; i <= (r + 1) / 2; ++i)
                    for (int j = c / 2; j <= (c + 1) / 2; ++j) {
                        const float p = (r % 2 ? 0.5f : 1.0f) * (c % 2 ? 0.5f : 1.0f);
                        weight[std::size_t(i) * std::size_t(Cc) + std::size_t(j)] += p * w;
                    }
            }
        R = Rc;
        C = Cc;
        b *= 0.25;
    }
}

template <class In>
void SurfaceMultigrid::applyFree(const In* x, double* y)
{
    overRows([&](int first, int last, int) {
        applyStencil(rows_, cols_, first, last, 1.0 - tension_, tension_, nullptr, fixed_.data(), x, y);
        const std::size_t end = std::size_t(last) * std::size_t(cols_);
        for (std::size_t k = std::size_t(first) * std::size_t(cols_); k < end; ++k)
            if (fixed_[k]) y[k] = 0.0;
    });
}

template void SurfaceMultigrid::applyFree(const double*, double*);

template <class Use>
double SurfaceMultigrid::sumFreeProducts(const double* p, Use use)
{
    double sums[2] = {0.0, 0.0};
    overRows([&](int first, int last, int half) {
        double sum = 0.0;
        double* row = productRow_[half].data();
        applyStencilRows<double, double>(
            rows_, cols_, first, last, 1.0 - tension_, tension_, nullptr, fixed_.data(), p,
            [row](int) { return row; },
            [&](int r) {
                const std::size_t base = std::size_t(r) * std::size_t(cols_);
                for (int c = 0; c < cols_; ++c)
                    if (!fixed_[base + std::size_t(c)]) sum += use(base + std::size_t(c), row[c]);
            });
        sums[half] = sum;
    });
    return sums[0] + sums[1];
}

double SurfaceMultigrid::energyProduct(const double* p)
{
    return sumFreeProducts(p, [p](std::size_t k, double ap) { return p[k] * ap; });
}

double SurfaceMultigrid::updateResidual(const double* p, double alpha, double* r)
{
    // The fixed cells' residual is 0.
    return sumFreeProducts(p, [r, alpha](std::size_t k, double ap) {
        r[k] -= alpha * ap;
        return r[k] * r[k];
    });
}

void SurfaceMultigrid::applyLevel(const Level& L, const float* x, float* y)
{
    const float* reaction = L.reaction.empty() ? nullptr : L.reaction.data();
    const std::uint8_t* skip = &L == &levels_.front() ? fixed_.data() : nullptr;
    overRows(L, [&](int first, int last, int) {
        applyStencil(L.rows, L.cols, first, last, double(L.biharmonic), double(L.laplacian), reaction, skip, x, y);
    });
}

void SurfaceMultigrid::smooth(Level& L, int degree, bool fromZero)
{
    // Chebyshev iteration on D^-1 A over [lambdaMax / range, lambdaMax]; lambdaMax is bounded
    // by the rows' absolute sums over their diagonals (Gershgorin): 4 with a biharmonic part, 2 without.
    const bool coarsest = &L == &levels_.back();
    const double lambdaMax = L.biharmonic > 0.0f ? 4.0 : 2.0;
    const double lambdaMin = lambdaMax / (coarsest ? kCoarsestRange : kSmoothingRange);
    const double theta = 0.5 * (lambdaMax + lambdaMin), delta = 0.5 * (lambdaMax - lambdaMin);
    const double sigma = theta / delta;
    double rho = 1.0 / sigma;
    const std::size_t C = std::size_t(L.cols);
    float* e = L.solution.data();
    float* res = L.residual.data();
    float* d = L.direction.data();
    float* ad = L.product.data();
    const float* rhs = L.rhs.empty() ? nullptr : L.rhs.data();
    const double* fineRhs = fineRhs_;   // the finest level's: 0 on the fixed cells
    if (!fromZero) applyLevel(L, e, ad);
    // res := rhs - A e, d := D^-1 res / theta, e := e + d.
    const float first = float(1.0 / theta);
    overRows(L, [&](int top, int bottom, int half) {
        for (int r = top; r < bottom; ++r) {
            const float* invD = inverseDiagonalRow(L, r, half);
            const std::size_t base = std::size_t(r) * C;
            for (std::size_t c = 0; c < C; ++c) {
                const std::size_t k = base + c;
                const float b = rhs ? rhs[k] : float(fineRhs[k]);
                res[k] = fromZero ? b : b - ad[k];
                d[k] = first * invD[c] * res[k];
                e[k] = fromZero ? d[k] : e[k] + d[k];
            }
        }
    });
    for (int step = 1; step < degree; ++step) {
        applyLevel(L, d, ad);
        const double rhoNext = 1.0 / (2.0 * sigma - rho);
        const float keep = float(rhoNext * rho), gain = float(2.0 * rhoNext / delta);
        // res := res - A d, d := gain D^-1 res + keep d, e := e + d.
        overRows(L, [&](int top, int bottom, int half) {
            for (int r = top; r < bottom; ++r) {
                const float* invD = inverseDiagonalRow(L, r, half);
                const std::size_t base = std::size_t(r) * C;
                float* __restrict er = e + base;
                float* __restrict rr = res + base;
                float* __restrict dr = d + base;
                const float* __restrict ar = ad + base;
                for (std::size_t c = 0; c < C; ++c) {
                    rr[c] -= ar[c];
                    dr[c] = keep * dr[c] + gain * invD[c] * rr[c];
                    er[c] += dr[c];
                }
            }
        });
        rho = rhoNext;
    }
}

const float* SurfaceMultigrid::inverseDiagonalRow(const Level& L, int r, int half)
{
    if (!L.inverseDiagonal.empty()) return L.inverseDiagonal.data() + std::size_t(r) * std::size_t(L.cols);
    const int R = L.rows, C = L.cols;
    const double b = L.biharmonic, l = L.laplacian;
    float* out = diagonalRow_[half].data();
    const float interior = float(1.0 / (20.0 * b + 4.0 * l));
    const std::uint8_t* fixedRow = fixed_.data() + std::size_t(r) * std::size_t(C);
    auto general = [&](int c) {
        const double d = fixedRow[c] ? 0.0 : diagonalAt(R, C, r, c, b, l);
        out[c] = d > 0.0 ? float(1.0 / d) : 0.0f;
    };
    if (r < 2 || r > R - 3) {
        for (int c = 0; c < C; ++c) general(c);
        return out;
    }
    // Inside the two outer rings every free cell has the interior diagonal: a branch-free select.
    for (int c = 2; c < C - 2; ++c) out[c] = fixedRow[c] ? 0.0f : interior;
    for (int c = 0; c < std::min(2, C); ++c) general(c);
    for (int c = std::max(2, C - 2); c < C; ++c) general(c);
    return out;
}

// Restriction P^T and bilinear prolongation P: fine (r, c) takes coarse (r/2 .. (r+1)/2) x
// (c/2 .. (c+1)/2), weight 1 on even and 1/2 on odd indices; done a row at a time.
void SurfaceMultigrid::restrictTo(Level& fine, Level& coarse)
{
    const int R = fine.rows, C = fine.cols, Cc = coarse.cols;
    const float* r = fine.residual.data();
    overRows(coarse, [&](int top, int bottom, int half) {
        float* row = rowScratch_[half].data();
        for (int i = top; i < bottom; ++i) {
            const int f = 2 * i;
            float* out = coarse.rhs.data() + std::size_t(i) * std::size_t(Cc);
            for (int c = 0; c < C; ++c) {
                float v = f < R ? r[std::size_t(f) * std::size_t(C) + std::size_t(c)] : 0.0f;
                if (f - 1 >= 0 && f - 1 < R) v += 0.5f * r[std::size_t(f - 1) * std::size_t(C) + std::size_t(c)];
                if (f + 1 < R) v += 0.5f * r[std::size_t(f + 1) * std::size_t(C) + std::size_t(c)];
                row[c] = v;
            }
            for (int j = 0; j < Cc; ++j) {
                const int g = 2 * j;
                float v = g < C ? row[g] : 0.0f;
                if (g - 1 >= 0 && g - 1 < C) v += 0.5f * row[g - 1];
                if (g + 1 < C) v += 0.5f * row[g + 1];
                out[j] = v;
            }
        }
    });
}

void SurfaceMultigrid::prolongFrom(const Level& coarse, Level& fine)
{
    const int R = fine.rows, C = fine.cols, Cc = coarse.cols;
    const bool zeroFixed = &fine == &levels_.front();   // the correction leaves the fixed cells alone
    auto widen = [&](int i, float* out) {   // coarse row i interpolated along the row to the fine width
        const float* e = coarse.solution.data() + std::size_t(i) * std::size_t(Cc);
        for (int c = 0; c < C; ++c) out[c] = c % 2 ? 0.5f * (e[c / 2] + e[c / 2 + 1]) : e[c / 2];
    };
    auto add = [&](int r, const float* a, const float* b) {   // fine row r += (a [+ b] / 2)
        float* out = fine.solution.data() + std::size_t(r) * std::size_t(C);
        const std::uint8_t* fixedRow = fixed_.data() + std::size_t(r) * std::size_t(C);
        for (int c = 0; c < C; ++c) {
            const float v = b ? 0.5f * (a[c] + b[c]) : a[c];
            out[c] = zeroFixed && fixedRow[c] ? 0.0f : out[c] + v;
        }
    };
    // Coarse row i reaches fine rows 2i and 2i + 1.
    halves_.run((R + 1) / 2, parallel(fine.solution.size()), [&](int top, int bottom, int half) {
        if (top >= bottom) return;
        float* here = rowScratch_[half].data();
        float* next = here + C;
        widen(top, here);
        for (int i = top; i < bottom; ++i) {
            add(2 * i, here, nullptr);
            if (2 * i + 1 >= R) break;
            widen(i + 1, next);
            add(2 * i + 1, here, next);
            std::swap(here, next);
        }
    });
}

void SurfaceMultigrid::vcycle(std::size_t level)
{
    Level& L = levels_[level];
    if (level + 1 == levels_.size()) {
        smooth(L, kCoarsestDegree, true);
        return;
    }
    smooth(L, kSmoothingDegree, true);
    applyLevel(L, L.solution.data(), L.product.data());
    // residual := rhs - A e, 0 on the fixed cells of the finest level.
    const bool finest = level == 0;
    overRows(L, [&](int top, int bottom, int) {
        const std::size_t end = std::size_t(bottom) * std::size_t(L.cols);
        for (std::size_t k = std::size_t(top) * std::size_t(L.cols); k < end; ++k) {
            const float b = finest ? float(fineRhs_[k]) : L.rhs[k];
            L.residual[k] = finest && fixed_[k] ? 0.0f : b - L.product[k];
        }
    });
    Level& K = levels_[level + 1];
    restrictTo(L, K);
    vcycle(level + 1);
    prolongFrom(K, L);
    smooth(L, kSmoothingDegree, false);
}

const float* SurfaceMultigrid::precondition(const double* r)
{
    Level& L = levels_.front();
    fineRhs_ = r;
    vcycle(0);
    return L.solution.data();
}
