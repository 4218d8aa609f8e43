// The surface operator on a window of the grid and its multigrid preconditioner.
//
// The operator is the Hessian of the surface energy
//   (1 - t) [sum of squared second differences along rows and columns
//            + 2 x sum of squared mixed differences of each 2 x 2 square]
//   + t [sum of squared first differences along rows and columns],
// each sum over the differences that lie wholly inside the window (natural
// boundary). In the interior it is the 13-point biharmonic stencil times (1 - t)
// plus the 5-point negative Laplacian times t. Fixed cells are Dirichlet cells:
// the operator of the free cells is A restricted to them.
//
// The preconditioner is one symmetric V-cycle of geometric multigrid: Chebyshev
// smoothing (a polynomial in D^-1 A, the same before and after), bilinear
// prolongation P and its transpose as restriction, and coarse operators
// rediscretised on grids of half the size: the biharmonic part divided by 4 per
// level, the Laplacian part unchanged, and the fixed cells represented by a
// reaction term restricted by P^T (the Galerkin product of a diagonal, lumped).
// Being symmetric and positive definite, it suits conjugate gradients.
//
// Every pass over a big level works on the two halves of its rows (engine/RowHalves.h), the
// second on a worker thread when the constructor is allowed one; the results have the same bits
// either way.
//
// Pre: rows, cols >= 1; fixed holds rows x cols flags (non-zero = fixed).
// Post: apply() and precondition() give 0 on every fixed cell.
#pragma once

#include "engine/RowHalves.h"

#include <array>
#include <cstdint>
#include <vector>

class SurfaceMultigrid {
public:
    /// worker: a second thread may take half of each pass over a level of many cells.
    SurfaceMultigrid(int rows, int cols, std::vector<std::uint8_t> fixed, double tension, bool worker = false);

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    bool isFixed(std::size_t k) const { return fixed_[k] != 0; }

    /// y := A x on the free cells (x as given, fixed cells included); 0 on the fixed cells.
    template <class In>
    void applyFree(const In* x, double* y);
    /// f(first, last, half) over the halves of the finest level's rows, as the passes of this
    /// class run (sums of the halves added in order keep their bits with or without the worker).
    template <class F>
    void overRows(F&& f)
    {
        overRows(levels_.front(), f);
    }
    /// p . A p over the free cells, without storing A p.
    double energyProduct(const double* p);
    /// r := r - alpha A p on the free cells, without storing A p; returns r . r.
    double updateResidual(const double* p, double alpha, double* r);
    /// M^-1 r: one V-cycle from zero on r (0 on the fixed cells, as the products leave it); the
    /// result, 0 on the fixed cells, stays valid until the next call.
    const float* precondition(const double* r);

private:
    struct Level {
        int rows = 0, cols = 0;
        float biharmonic = 0, laplacian = 0;
        std::vector<float> reaction;   ///< coarse levels: the restricted weight of the fixed cells
        std::vector<float> inverseDiagonal;   ///< empty on the finest level
        std::vector<float> rhs, solution, residual, direction, product;
    };

    void build();
    static bool parallel(std::size_t cells);
    template <class F>
    void overRows(const Level& L, F&& f)
    {
        halves_.run(L.rows, parallel(L.solution.size()), f);
    }
    /// The sum over the free cells k of use(k, (A p)_k), formed a row of A p at a time.
    template <class Use>
    double sumFreeProducts(const double* p, Use use);
    void vcycle(std::size_t level);
    void restrictTo(Level& fine, Level& coarse);
    /// Row r of D^-1 (0 on fixed cells); half names the caller's scratch row.
    const float* inverseDiagonalRow(const Level& L, int r, int half);
    void prolongFrom(const Level& coarse, Level& fine);
    void smooth(Level& L, int degree, bool fromZero);
    void applyLevel(const Level& L, const float* x, float* y);

    int rows_, cols_;
    std::vector<std::uint8_t> fixed_;
    double tension_;
    std::vector<Level> levels_;
    RowHalves halves_;
    // Scratch rows of each half.
    std::array<std::vector<float>, 2> rowScratch_, diagonalRow_;
    std::array<std::vector<double>, 2> productRow_;
    const double* fineRhs_ = nullptr;
};
