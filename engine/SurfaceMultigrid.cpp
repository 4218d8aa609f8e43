#include "engine/SurfaceMultigrid.h"

#include <algorithm>
#include <cmath>

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

/// y := A x (+ reaction x) over the whole grid: the fused stencil inside, the definition on the
/// two outer rings; cells flagged in skip (when given) get 0 there. Row r is written to rowOut(r)
/// and handed to rowDone(r) when complete.
template <class In, class Out, class RowOut, class RowDone>
void applyStencilRows(int R, int C, double b, double l, const float* reaction, const std::uint8_t* skip,
                      const In* __restrict x, RowOut rowOut, RowDone rowDone)
{
    const Out centre = Out(20.0 * b + 4.0 * l), edge = Out(-8.0 * b - l), diag = Out(2.0 * b), far = Out(b);
    const std::ptrdiff_t W = C, W2 = 2 * std::ptrdiff_t(C);
    for (int r = 0; r < R; ++r) {
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
void applyStencil(int R, int C, double b, double l, const float* reaction, const std::uint8_t* skip,
                  const In* x, Out* y)
{
    applyStencilRows<In, Out>(R, C, b, l, reaction, skip, x,
                              [y, C](int r) { return y + std::ptrdiff_t(r) * std::ptrdiff_t(C); }, [](int) {});
}

} // namespace

SurfaceMultigrid::SurfaceMultigrid(int rows, int cols, std::vector<std::uint8_t> fixed, double tension)
    : rows_(rows), cols_(cols), fixed_(std::move(fixed)), tension_(std::clamp(tension, 0.0, 1.0))
{
    build();
}

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
void SurfaceMultigrid::applyFree(const In* x, double* y) const
{
    applyStencil(rows_, cols_, 1.0 - tension_, tension_, nullptr, fixed_.data(), x, y);
    const std::size_t n = fixed_.size();
    for (std::size_t k = 0; k < n; ++k)
        if (fixed_[k]) y[k] = 0.0;
}

template void SurfaceMultigrid::applyFree(const double*, double*) const;

template <class Use>
void SurfaceMultigrid::forEachFreeProduct(const double* p, Use use) const
{
    std::vector<double> row(static_cast<std::size_t>(cols_));
    applyStencilRows<double, double>(
        rows_, cols_, 1.0 - tension_, tension_, nullptr, fixed_.data(), p, [&](int) { return row.data(); },
        [&](int r) {
            const std::size_t base = std::size_t(r) * std::size_t(cols_);
            for (int c = 0; c < cols_; ++c)
                if (!fixed_[base + std::size_t(c)]) use(base + std::size_t(c), row[std::size_t(c)]);
        });
}

double SurfaceMultigrid::energyProduct(const double* p) const
{
    double sum = 0.0;
    forEachFreeProduct(p, [&](std::size_t k, double ap) { sum += p[k] * ap; });
    return sum;
}

double SurfaceMultigrid::updateResidual(const double* p, double alpha, double* r) const
{
    double sum = 0.0;   // the fixed cells' residual is 0
    forEachFreeProduct(p, [&](std::size_t k, double ap) {
        r[k] -= alpha * ap;
        sum += r[k] * r[k];
    });
    return sum;
}

void SurfaceMultigrid::applyLevel(const Level& L, const float* x, float* y) const
{
    applyStencil(L.rows, L.cols, double(L.biharmonic), double(L.laplacian),
                 L.reaction.empty() ? nullptr : L.reaction.data(), &L == &levels_.front() ? fixed_.data() : nullptr,
                 x, y);
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
    const std::size_t n = L.solution.size();
    float* e = L.solution.data();
    float* res = L.residual.data();
    float* d = L.direction.data();
    float* ad = L.product.data();
    // d := factor * D^-1 res (+ keep * d), a row at a time.
    auto directionUpdate = [&](float factor, float keep) {
        for (int r = 0; r < L.rows; ++r) {
            const float* invD = inverseDiagonalRow(L, r);
            const std::size_t base = std::size_t(r) * std::size_t(L.cols);
            float* dr = d + base;
            const float* rr = res + base;
            for (int c = 0; c < L.cols; ++c) dr[c] = keep * dr[c] + factor * invD[c] * rr[c];
        }
    };
    if (fromZero) {
        std::fill(L.solution.begin(), L.solution.end(), 0.0f);
        std::fill(L.product.begin(), L.product.end(), 0.0f);
    } else {
        applyLevel(L, e, ad);
    }
    residualOf(L, ad, res);
    std::fill(L.direction.begin(), L.direction.end(), 0.0f);
    directionUpdate(float(1.0 / theta), 0.0f);
    for (int step = 0;; ++step) {
        for (std::size_t k = 0; k < n; ++k) e[k] += d[k];
        if (step == degree - 1) break;
        applyLevel(L, d, ad);
        const double rhoNext = 1.0 / (2.0 * sigma - rho);
        const float keep = float(rhoNext * rho), gain = float(2.0 * rhoNext / delta);
        for (std::size_t k = 0; k < n; ++k) res[k] -= ad[k];
        directionUpdate(gain, keep);
        rho = rhoNext;
    }
}

const float* SurfaceMultigrid::inverseDiagonalRow(const Level& L, int r)
{
    if (!L.inverseDiagonal.empty()) return L.inverseDiagonal.data() + std::size_t(r) * std::size_t(L.cols);
    const int R = L.rows, C = L.cols;
    const double b = L.biharmonic, l = L.laplacian;
    diagonalRow_.resize(std::size_t(C));
    const float interior = float(1.0 / (20.0 * b + 4.0 * l));
    const std::uint8_t* fixedRow = fixed_.data() + std::size_t(r) * std::size_t(C);
    auto general = [&](int c) {
        const double d = fixedRow[c] ? 0.0 : diagonalAt(R, C, r, c, b, l);
        diagonalRow_[std::size_t(c)] = d > 0.0 ? float(1.0 / d) : 0.0f;
    };
    if (r < 2 || r > R - 3) {
        for (int c = 0; c < C; ++c) general(c);
        return diagonalRow_.data();
    }
    // Inside the two outer rings every free cell has the interior diagonal: a branch-free select.
    float* out = diagonalRow_.data();
    for (int c = 2; c < C - 2; ++c) out[c] = fixedRow[c] ? 0.0f : interior;
    for (int c = 0; c < std::min(2, C); ++c) general(c);
    for (int c = std::max(2, C - 2); c < C; ++c) general(c);
    return diagonalRow_.data();
}

void SurfaceMultigrid::residualOf(const Level& L, const float* product, float* residual) const
{
    const std::size_t n = L.solution.size();
    if (!L.rhs.empty()) {
        for (std::size_t k = 0; k < n; ++k) residual[k] = L.rhs[k] - product[k];
        return;
    }
    const double* r = fineRhs_;   // 0 on the fixed cells
    for (std::size_t k = 0; k < n; ++k) residual[k] = float(r[k]) - product[k];
}

// Restriction P^T and bilinear prolongation P: fine (r, c) takes coarse (r/2 .. (r+1)/2) x
// (c/2 .. (c+1)/2), weight 1 on even and 1/2 on odd indices; done a row at a time.
void SurfaceMultigrid::restrictTo(Level& fine, Level& coarse)
{
    const int R = fine.rows, C = fine.cols, Rc = coarse.rows, Cc = coarse.cols;
    std::vector<float>& row = rowScratch_;
    row.assign(std::size_t(C), 0.0f);
    const float* r = fine.residual.data();
    for (int i = 0; i < Rc; ++i) {
        const int f = 2 * i;
        float* out = coarse.rhs.data() + std::size_t(i) * std::size_t(Cc);
        for (int c = 0; c < C; ++c) {
            float v = f < R ? r[std::size_t(f) * std::size_t(C) + std::size_t(c)] : 0.0f;
            if (f - 1 >= 0 && f - 1 < R) v += 0.5f * r[std::size_t(f - 1) * std::size_t(C) + std::size_t(c)];
            if (f + 1 < R) v += 0.5f * r[std::size_t(f + 1) * std::size_t(C) + std::size_t(c)];
            row[std::size_t(c)] = v;
        }
        for (int j = 0; j < Cc; ++j) {
            const int g = 2 * j;
            float v = g < C ? row[std::size_t(g)] : 0.0f;
            if (g - 1 >= 0 && g - 1 < C) v += 0.5f * row[std::size_t(g - 1)];
            if (g + 1 < C) v += 0.5f * row[std::size_t(g + 1)];
            out[j] = v;
        }
    }
}

void SurfaceMultigrid::prolongFrom(const Level& coarse, Level& fine)
{
    const int R = fine.rows, C = fine.cols, Cc = coarse.cols;
    std::vector<float>& row = rowScratch_;
    row.assign(std::size_t(2 * C), 0.0f);
    float* here = row.data();
    float* next = here + C;
    auto widen = [&](int i, float* out) {   // coarse row i interpolated along the row to the fine width
        const float* e = coarse.solution.data() + std::size_t(i) * std::size_t(Cc);
        for (int c = 0; c < C; ++c) out[c] = c % 2 ? 0.5f * (e[c / 2] + e[c / 2 + 1]) : e[c / 2];
    };
    widen(0, here);
    for (int i = 0; 2 * i < R; ++i) {
        float* even = fine.solution.data() + std::size_t(2 * i) * std::size_t(C);
        for (int c = 0; c < C; ++c) even[c] += here[c];
        if (2 * i + 1 >= R) break;
        widen(i + 1, next);
        float* odd = even + C;
        for (int c = 0; c < C; ++c) odd[c] += 0.5f * (here[c] + next[c]);
        std::swap(here, next);
    }
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
    const std::size_t n = L.solution.size();
    residualOf(L, L.product.data(), L.residual.data());
    if (level == 0)
        for (std::size_t k = 0; k < n; ++k)
            if (fixed_[k]) L.residual[k] = 0.0f;

    Level& K = levels_[level + 1];
    restrictTo(L, K);
    vcycle(level + 1);
    prolongFrom(K, L);
    if (level == 0)
        for (std::size_t k = 0; k < n; ++k)
            if (fixed_[k]) L.solution[k] = 0.0f;
    smooth(L, kSmoothingDegree, false);
}

const float* SurfaceMultigrid::precondition(const double* r)
{
    Level& L = levels_.front();
    fineRhs_ = r;
    vcycle(0);
    return L.solution.data();
}
