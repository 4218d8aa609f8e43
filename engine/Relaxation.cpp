#include "engine/Relaxation.h"

#include "app/core/Reporter.h"
#include "engine/SurfaceSolver.h"

#include <algorithm>
#include <utility>

CentralDifferenceSolver::CentralDifferenceSolver(RealGrid input, int laplacianIterations, int polishIterations,
                                                 Reporter& reporter)
    : rows_(input.rows()), cols_(input.cols()), estimate_(std::move(input)),
      laplacianIterations_(laplacianIterations), polishIterations_(polishIterations), reporter_(reporter)
{
    if (rows_ >= 2 && cols_ >= 2) {
        freeRows_ = ByteGrid(4, cols_);
        freeColumns_ = ByteGrid(rows_, 4);
        for (int k = 0; k < 4; ++k) {
            const int r = k < 2 ? k : rows_ - 4 + k, c = k < 2 ? k : cols_ - 4 + k;
            for (int j = 0; j < cols_; ++j) freeRows_(k, j) = estimate_(r, j) == 0.0 ? 1 : 0;
            for (int i = 0; i < rows_; ++i) freeColumns_(i, k) = estimate_(i, c) == 0.0 ? 1 : 0;
        }
    }
    reporter_.log(" ");
    reporter_.log("Computing Initial Estimate");
}

namespace {

// Rows handled together and the column lag between consecutive rows of a band.
constexpr int kBandRows = 8;
constexpr int kRowLag = 4;

/// The free cells (0.0 in the input) of rows first..last, columns cFirst..cLast, in a
/// visiting order that gives the same values as the plain row-by-row order for a stencil of
/// radius 2: the rows of a band advance together, each kRowLag columns behind the row above
/// it, so a cell only reads cells of the rows above that are already final and cells of the
/// rows below that are still untouched. Consecutive cells belong to different rows, which
/// keeps several independent update chains in flight. A step at which every cell of the
/// band is free joins a run of such steps; the other free cells are listed one by one, so a
/// wide void takes little memory.
BandedOrder bandedFreeCells(const RealGrid& input, int rFirst, int rLast, int cFirst, int cLast)
{
    BandedOrder order;
    const std::size_t C = std::size_t(input.cols());
    for (int a = rFirst; a <= rLast; a += kBandRows) {
        const int rows = std::min(kBandRows, rLast - a + 1);
        for (int t = cFirst; t <= cLast + (rows - 1) * kRowLag; ++t) {
            const std::size_t listed = order.cells.size();
            for (int i = 0; i < rows; ++i) {
                const int r = a + i, c = t - i * kRowLag;
                if (c >= cFirst && c <= cLast && input(r, c) == 0.0)
                    order.cells.push_back(std::uint32_t(std::size_t(r) * C + std::size_t(c)));
            }
            if (order.cells.size() - listed < std::size_t(rows) || t - (rows - 1) * kRowLag < cFirst) continue;
            order.cells.resize(listed);   // the whole step is free
            auto& runs = order.runs;
            if (!runs.empty() && runs.back().cellsEnd == listed && runs.back().top == a && runs.back().end == t)
                ++runs.back().end;
            else
                runs.push_back({listed, a, rows, t, t + 1});
        }
    }
    order.runs.push_back({order.cells.size(), 0, 0, 0, 0});
    order.cells.shrink_to_fit();
    order.runs.shrink_to_fit();
    return order;
}

/// Calls update(index) for the cells of the order, in turn.
template <class Update>
void visitBanded(const BandedOrder& order, std::size_t cols, Update update)
{
    const std::uint32_t* cell = order.cells.data();
    for (const BandedOrder::Run& run : order.runs) {
        for (const std::uint32_t* end = order.cells.data() + run.cellsEnd; cell != end; ++cell) update(*cell);
        for (int t = run.begin; t < run.end; ++t)
            for (int i = 0; i < run.rows; ++i)
                update(std::size_t(run.top + i) * cols + std::size_t(t - i * kRowLag));
    }
}

} // namespace

void CentralDifferenceSolver::buildFreeLists()
{
    if (listsBuilt_) return;
    listsBuilt_ = true;   // before the first sweep: the estimate's zeros are still the input's unknown cells
    thinPlateFree_ = bandedFreeCells(estimate_, 2, rows_ - 3, 2, cols_ - 3);
    laplacianFree_ = bandedFreeCells(estimate_, 1, rows_ - 2, 1, cols_ - 2);
}

void CentralDifferenceSolver::secondRing()
{
    const int R = rows_, C = cols_;
    if (R < 3 || C < 3) return;   // the ring's neighbours would lie outside the grid
    RealGrid& A = estimate_;
    auto mean4 = [&](int r, int c) {
        if (isFree(r, c)) A(r, c) = 0.25 * (A(r - 1, c) + A(r + 1, c) + A(r, c - 1) + A(r, c + 1));
    };
    for (int r = 1; r <= R - 2; ++r) mean4(r, C - 2);
    for (int r = 1; r <= R - 2; ++r) mean4(r, 1);
    for (int c = 1; c <= C - 2; ++c) mean4(1, c);
    for (int c = 1; c <= C - 2; ++c) mean4(R - 2, c);
}

void CentralDifferenceSolver::edgeCopy()
{
    const int R = rows_, C = cols_;
    RealGrid& A = estimate_;
    for (int r = 1; r <= R - 2; ++r) {
        if (isFree(r, 0)) A(r, 0) = A(r, 1);
        if (isFree(r, C - 1)) A(r, C - 1) = A(r, C - 2);
    }
    for (int c = 1; c <= C - 2; ++c) {
        if (isFree(0, c)) A(0, c) = A(1, c);
        if (isFree(R - 1, c)) A(R - 1, c) = A(R - 2, c);
    }
    if (isFree(0, 0)) A(0, 0) = A(1, 1);
    if (isFree(R - 1, C - 1)) A(R - 1, C - 1) = A(R - 2, C - 2);
    if (isFree(0, C - 1)) A(0, C - 1) = A(1, C - 2);
    if (isFree(R - 1, 0)) A(R - 1, 0) = A(R - 2, 1);
}

void CentralDifferenceSolver::thinPlate()
{
    double* const a = estimate_.data();
    const std::ptrdiff_t C = cols_, C2 = 2 * C;
    visitBanded(thinPlateFree_, std::size_t(C), [a, C, C2](std::size_t k) {
        double* p = a + k;
        p[0] = (8.0 * (p[-C] + p[C] + p[-1] + p[1])
                - 2.0 * (p[-C - 1] + p[-C + 1] + p[C - 1] + p[C + 1])
                - (p[-C2] + p[C2] + p[-2] + p[2])) * 0.05;
    });
}

void CentralDifferenceSolver::laplacian()
{
    double* const a = estimate_.data();
    const std::ptrdiff_t C = cols_;
    visitBanded(laplacianFree_, std::size_t(C), [a, C](std::size_t k) {
        double* p = a + k;
        p[0] = 0.25 * (p[-C] + p[C] + p[-1] + p[1]);
    });
}

void CentralDifferenceSolver::edgeMeans()
{
    const int R = rows_, C = cols_;
    RealGrid& A = estimate_;
    for (int r = 1; r <= R - 2; ++r) {
        if (isFree(r, 0)) A(r, 0) = (A(r, 1) + A(r - 1, 0) + A(r + 1, 0)) / 3;
        if (isFree(r, C - 1)) A(r, C - 1) = (A(r, C - 2) + A(r - 1, C - 1) + A(r + 1, C - 1)) / 3;
    }
    for (int c = 1; c <= C - 2; ++c) {
        if (isFree(0, c)) A(0, c) = (A(1, c) + A(0, c - 1) + A(0, c + 1)) / 3;
        if (isFree(R - 1, c)) A(R - 1, c) = (A(R - 2, c) + A(R - 1, c - 1) + A(R - 1, c + 1)) / 3;
    }
    if (isFree(0, 0)) A(0, 0) = (A(0, 1) + A(1, 0)) * 0.5;
    if (isFree(R - 1, C - 1)) A(R - 1, C - 1) = (A(R - 1, C - 2) + A(R - 2, C - 1)) * 0.5;
    if (isFree(0, C - 1)) A(0, C - 1) = (A(0, C - 2) + A(1, C - 1)) * 0.5;
    if (isFree(R - 1, 0)) A(R - 1, 0) = (A(R - 2, 0) + A(R - 1, 1)) * 0.5;
}

void CentralDifferenceSolver::refiningSweep()
{
    const std::ptrdiff_t C = cols_;
    for (int r = 1; r <= rows_ - 2; ++r) {
        double* p = estimate_.row(r);
        for (std::ptrdiff_t c = 1; c <= C - 2; ++c)
            p[c] = 0.25 * (p[c - C] + p[c + C] + p[c - 1] + p[c + 1]);
    }
}

void CentralDifferenceSolver::mainSweep()
{
    buildFreeLists();
    secondRing();
    edgeCopy();
    thinPlate();
    edgeCopy();
    laplacian();
    edgeMeans();
}

std::optional<RealGrid> CentralDifferenceSolver::solve(int lsqrIterations)
{
    if (rows_ < 2 || cols_ < 2) {
        reporter_.log(kGridTooSmallLine);
        return std::nullopt;
    }
    if (surface_.converged()) {
        SurfaceSettings settings;
        settings.tension = surface_.operatorTension();
        solveEngineSurface(estimate_, settings, surfaceDescription(surface_), reporter_);
    } else {
        reporter_.progressStart(0, laplacianIterations_ + 1);
        for (int i = 0; i < laplacianIterations_; ++i) {
            mainSweep();
            reporter_.progressStep();
        }
        reporter_.progressHide();
    }

    if (polishIterations_ > 0) {
        reporter_.log(" ");
        reporter_.log("Refining the interpolated image.");
        for (int i = 0; i < polishIterations_; ++i) {
            refiningSweep();
            reporter_.progressStep();
        }
    }

    if (lsqrIterations > 0)
        for (double& v : estimate_.cells())
            if (v < 0.0) v = 0.0;
    reporter_.progressHide();
    return std::move(estimate_);
}
