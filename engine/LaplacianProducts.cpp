// The fused products of the Laplacian system for LSQR: one bidiagonalisation
// half-step in one pass, reading the five-point stencil directly instead of the
// stored entries. Each gives exactly the bits of the plain sequence (scale by the
// pending scale, scale by the factor, add the stored product of the other vector
// times its pending scale, sum the squares in index order): every value is
// formed by the same operations in the same order.
//
// forward (u := A v, equation order): the border equations as stored, the
// interior equations from three rolling rows of v * vScale, the data equations.
// adjoint (v := A^T u, node order): each node gathers the equations that hold it
// in equation order, which is the order the plain loop scatters them in: for a
// node whose neighbours are all interior nodes, the equations of (r-1,c),
// (r,c-1), (r,c), (r,c+1), (r+1,c), then its data equation; nodes near the
// border use their precomputed lists.
//
// Either product may leave its last rows to a second thread (forwardShare,
// adjointShare): that thread forms their values only, and the product adds
// their squares after its own, in the same order, so the sum has the same bits.
#include "engine/LaplacianSystem.h"

#include <algorithm>
#include <functional>

namespace {

/// Columns handled together: their values first (free of one another, so the compiler can
/// use vector instructions), then their squares added to the running sum one by one.
constexpr std::ptrdiff_t kBlock = 16;

/// The interior equations of `count` consecutive columns of one row (centre -4, left, right,
/// below, above); `above` receives next * vScale.
template <std::ptrdiff_t Fixed = 0>
void interiorEquations(double* __restrict q, const double* __restrict next, double* __restrict above,
                       const double* __restrict centre, const double* __restrict below, double uScale, double factor,
                       double vScale, std::ptrdiff_t count = Fixed)
{
    if constexpr (Fixed > 0) count = Fixed;
    for (std::ptrdiff_t i = 0; i < count; ++i) {
        const double a = next[i] * vScale;
        above[i] = a;
        double s = (q[i] * uScale) * factor;
        s = s + -4.0 * centre[i];
        s = s + centre[i - 1];
        s = s + centre[i + 1];
        s = s + below[i];
        s = s + a;
        q[i] = s;
    }
}

/// The nodes of `count` consecutive columns of a row whose neighbours are all interior nodes:
/// the equations of (r-1,c), (r,c-1), (r,c), (r,c+1), (r+1,c), then the data term (-0.0 for a
/// node without a data equation); `above` receives next * uScale.
template <std::ptrdiff_t Fixed = 0>
void interiorNodes(double* __restrict v, const double* __restrict next, double* __restrict above,
                   const double* __restrict centre, const double* __restrict below, const double* __restrict data,
                   double vScale, double factor, double uScale, std::ptrdiff_t count = Fixed)
{
    if constexpr (Fixed > 0) count = Fixed;
    for (std::ptrdiff_t i = 0; i < count; ++i) {
        const double a = next[i] * uScale;
        above[i] = a;
        double s = (v[i] * vScale) * factor;
        s = s + below[i];
        s = s + centre[i - 1];
        s = s + -4.0 * centre[i];
        s = s + centre[i + 1];
        s = s + a;
        s = s + data[i];
        v[i] = s;
    }
}

/// sum + the squares of count values, added in order.
template <std::ptrdiff_t Fixed = 0>
double sumOfSquares(const double* values, double sum, std::ptrdiff_t count = Fixed)
{
    if constexpr (Fixed > 0) count = Fixed;
    for (std::ptrdiff_t i = 0; i < count; ++i) sum = sum + values[i] * values[i];
    return sum;
}

} // namespace

std::ptrdiff_t SparseRowSystem::forwardSplitRow() const
{
    // The first interior row of the part another thread may form: about two fifths of the rows.
    return rows_ >= 8 ? std::ptrdiff_t(rows_) - 1 - (std::ptrdiff_t(rows_) - 2) * 2 / 5 : 0;
}

double SparseRowSystem::forwardRows(std::ptrdiff_t first, std::ptrdiff_t last, double factor, double uScale, double* u,
                                    double vScale, const double* v, std::vector<double>& scratch, bool summed,
                                    double sum) const
{
    const std::ptrdiff_t C = cols_;
    const std::size_t firstInterior = std::size_t(2 * rows_ + 2 * cols_ - 4);
    const std::size_t knownTotal = equationCount_ - nodeCount_;
    const std::uint32_t* known = columnIndices_.data() + rowStart_[nodeCount_];
    double* ud = u + nodeCount_;
    // The data equations of each row are formed while the row is at hand (rows 0 .. last + 1 when
    // first is 1, rows first + 1 .. last + 1 otherwise) and summed after the interior, in their own order.
    std::size_t nextKnown = first == 1 ? 0
                                       : std::size_t(std::lower_bound(known, known + knownTotal,
                                                                      std::uint32_t((first + 1) * C)) - known);
    auto dataEquations = [&](std::ptrdiff_t r, const double* scaledRow) {
        const std::uint32_t rowEnd = std::uint32_t((r + 1) * C);
        for (; nextKnown < knownTotal && known[nextKnown] < rowEnd; ++nextKnown)
            ud[nextKnown] = (ud[nextKnown] * uScale) * factor + scaledRow[known[nextKnown] - std::uint32_t(r * C)];
    };
    scratch.resize(std::size_t(3 * C));
    double* below = scratch.data();
    double* centre = below + C;
    double* above = centre + C;
    for (std::ptrdiff_t c = 0; c < C; ++c) below[c] = v[(first - 1) * C + c] * vScale;
    for (std::ptrdiff_t c = 0; c < C; ++c) centre[c] = v[first * C + c] * vScale;
    if (first == 1) {
        dataEquations(0, below);
        dataEquations(1, centre);
    }
    for (std::ptrdiff_t r = first; r <= last; ++r) {
        const double* next = v + (r + 1) * C;
        above[0] = next[0] * vScale;
        above[C - 1] = next[C - 1] * vScale;
        double* q = u + firstInterior + (r - 1) * (C - 2) - 1;
        std::ptrdiff_t c = 1;
        for (; c + kBlock <= C - 1; c += kBlock) {
            interiorEquations<kBlock>(q + c, next + c, above + c, centre + c, below + c, uScale, factor, vScale);
            if (summed) sum = sumOfSquares<kBlock>(q + c, sum);
        }
        const std::ptrdiff_t rest = C - 1 - c;
        interiorEquations(q + c, next + c, above + c, centre + c, below + c, uScale, factor, vScale, rest);
        if (summed) sum = sumOfSquares(q + c, sum, rest);
        dataEquations(r + 1, above);
        std::swap(below, centre);
        std::swap(centre, above);
    }
    return sum;
}

void SparseRowSystem::forwardShare(double factor, double uScale, double* u, double vScale, const double* v)
{
    if (const std::ptrdiff_t split = forwardSplitRow())
        forwardRows(split, rows_ - 2, factor, uScale, u, vScale, v, shareScratch_, false, 0.0);
}

double SparseRowSystem::forward(double factor, double uScale, double* u, double vScale, const double* v,
                                const std::function<void()>& shared)
{
    const std::ptrdiff_t R = rows_, C = cols_;
    const std::uint32_t* col = columnIndices_.data();
    const std::int8_t* coef = coefficients_.data();
    const std::size_t firstInterior = std::size_t(2 * R + 2 * C - 4);
    const std::size_t knownTotal = equationCount_ - nodeCount_;
    double sum = 0.0;
    // Border equations, as stored.
    for (std::size_t i = 0; i < firstInterior; ++i) {
        double s = (u[i] * uScale) * factor;
        for (std::uint32_t e = rowStart_[i]; e < rowStart_[i + 1]; ++e) s = s + double(coef[e]) * (v[col[e]] * vScale);
        u[i] = s;
        sum = sum + s * s;
    }
    // Interior equations (centre -4, left, right, below, above) from three rolling rows of v * vScale.
    // With `shared`, the rows from the split on were formed by forwardShare(): only their squares
    // are added here, in the same order.
    const std::ptrdiff_t split = shared ? forwardSplitRow() : 0;
    sum = forwardRows(1, (split ? split : R - 1) - 1, factor, uScale, u, vScale, v, scratch_, true, sum);
    if (split) {
        shared();
        const double* q = u + firstInterior + (split - 1) * (C - 2);
        sum = sumOfSquares(q, sum, (R - 1 - split) * (C - 2));
    }
    const double* ud = u + nodeCount_;
    for (std::size_t j = 0; j < knownTotal; ++j) sum = sum + ud[j] * ud[j];
    return sum;
}

double SparseRowSystem::adjointBandNode(const BandNode& b, double factor, double vScale, double* v, double uScale,
                                        const double* u, std::size_t& nextKnown) const
{
    double s = (v[b.node] * vScale) * factor;
    for (int i = 0; i < b.count; ++i) s = s + double(b.coefficient[i]) * (u[b.equation[i]] * uScale);
    const std::uint32_t* known = columnIndices_.data() + rowStart_[nodeCount_];
    if (nextKnown < equationCount_ - nodeCount_ && known[nextKnown] == b.node) {
        s = s + u[nodeCount_ + nextKnown] * uScale;
        ++nextKnown;
    }
    v[b.node] = s;
    return s;
}

std::ptrdiff_t SparseRowSystem::adjointSplitRow() const
{
    // The first node row of the part another thread may form: about a third of the rows (the
    // thread also moves x then).
    return rows_ >= 8 && cols_ >= 5 ? std::ptrdiff_t(rows_) - 1 - (std::ptrdiff_t(rows_) - 2) / 3 : 0;
}

double SparseRowSystem::adjointRows(std::ptrdiff_t first, std::ptrdiff_t last, double factor, double vScale, double* v,
                                    double uScale, const double* u, std::vector<double>& scratch, bool summed,
                                    double sum) const
{
    const std::ptrdiff_t R = rows_, C = cols_;
    const std::size_t firstInterior = std::size_t(2 * R + 2 * C - 4);
    const std::size_t knownTotal = equationCount_ - nodeCount_;
    const std::uint32_t* known = columnIndices_.data() + rowStart_[nodeCount_];
    const double* ud = u + nodeCount_;
    std::size_t nextKnown =
        std::size_t(std::lower_bound(known, known + knownTotal, std::uint32_t(first * C)) - known);
    // The band nodes in node order: rows 0 and 1 whole, then two at each end of the interior rows.
    const BandNode* band = bandNodes_.data() + (first == 0 ? 0 : 2 * C + 4 * (first - 2));
    auto bandNode = [&] {
        const double s = adjointBandNode(*band++, factor, vScale, v, uScale, u, nextKnown);
        if (summed) sum = sum + s * s;
    };
    // Rolling rows of the interior equations times uScale (interior column c at index c - 1), and
    // the data term of each node of the row: u * uScale of its data equation, or -0.0, which
    // leaves every sum unchanged (x + -0.0 == x for every x).
    const std::ptrdiff_t W = std::max<std::ptrdiff_t>(C - 2, 0);
    scratch.assign(std::size_t(3 * W + C), -0.0);
    double* below = scratch.data();
    double* centre = below + W;
    double* above = centre + W;
    double* data = above + W;
    if (R >= 5) {   // interior equation rows r0 - 1 and r0 for the first interior node row r0
        const std::size_t r0 = std::size_t(std::max<std::ptrdiff_t>(first, 2));
        for (std::ptrdiff_t c = 0; c < W; ++c) below[c] = u[firstInterior + (r0 - 2) * W + std::size_t(c)] * uScale;
        for (std::ptrdiff_t c = 0; c < W; ++c) centre[c] = u[firstInterior + (r0 - 1) * W + std::size_t(c)] * uScale;
    }
    for (std::ptrdiff_t r = first; r <= last; ++r) {
        if (r < 2 || r > R - 3) {
            for (std::ptrdiff_t c = 0; c < C; ++c) bandNode();
            continue;
        }
        const std::ptrdiff_t fastEnd = C - 2;   // columns 2 .. C-3 use the stencil
        const double* next = u + firstInterior + r * W;   // interior equation row r + 1
        if (W > 0) {
            above[0] = next[0] * uScale;
            above[W - 1] = next[W - 1] * uScale;
        }
        for (std::ptrdiff_t c = 0; c < std::min<std::ptrdiff_t>(2, C); ++c) bandNode();
        const std::uint32_t rowBase = std::uint32_t(r * C);
        const std::size_t firstKnown = nextKnown;
        while (nextKnown < knownTotal && known[nextKnown] < rowBase + std::uint32_t(fastEnd)) {
            data[known[nextKnown] - rowBase] = ud[nextKnown] * uScale;
            ++nextKnown;
        }
        double* vr = v + r * C;
        std::ptrdiff_t c = 2;
        for (; c + kBlock <= fastEnd; c += kBlock) {
            interiorNodes<kBlock>(vr + c, next + c - 1, above + c - 1, centre + c - 1, below + c - 1, data + c,
                                  vScale, factor, uScale);
            if (summed) sum = sumOfSquares<kBlock>(vr + c, sum);
        }
        const std::ptrdiff_t rest = std::max<std::ptrdiff_t>(fastEnd - c, 0);
        interiorNodes(vr + c, next + c - 1, above + c - 1, centre + c - 1, below + c - 1, data + c, vScale, factor,
                      uScale, rest);
        if (summed) sum = sumOfSquares(vr + c, sum, rest);
        for (std::size_t j = firstKnown; j < nextKnown; ++j) data[known[j] - rowBase] = -0.0;
        for (std::ptrdiff_t c = std::max<std::ptrdiff_t>(2, fastEnd); c < C; ++c) bandNode();
        std::swap(below, centre);
        std::swap(centre, above);
    }
    return sum;
}

void SparseRowSystem::adjointShare(double factor, double vScale, double* v, double uScale, const double* u)
{
    if (const std::ptrdiff_t split = adjointSplitRow())
        adjointRows(split, rows_ - 1, factor, vScale, v, uScale, u, shareScratch_, false, 0.0);
}

double SparseRowSystem::adjoint(double factor, double vScale, double* v, double uScale, const double* u,
                                const std::function<void()>& shared)
{
    const std::ptrdiff_t split = shared ? adjointSplitRow() : 0;
    double sum = adjointRows(0, (split ? split : rows_) - 1, factor, vScale, v, uScale, u, scratch_, true, 0.0);
    if (split) {   // the rows from the split on were formed by adjointShare(): their squares in node order
        shared();
        sum = sumOfSquares(v + split * cols_, sum, (rows_ - split) * cols_);
    }
    return sum;
}
