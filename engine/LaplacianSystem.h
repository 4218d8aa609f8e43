// The over-determined Laplacian system of the LSQR interpolation.
//
// One discrete Laplace equation per node of an R x C engine grid (south row
// first, 0.0 = unknown) with the natural boundary condition (the centre weight
// is minus the node's in-grid neighbour count), plus one data equation x_k = z_k
// per known node. Unknown k is node (r, c) with k = r * C + c. The equations are
// numbered in this order:
//   corners (0,0), (0,C-1), (R-1,0), (R-1,C-1); the left edge (r,0) and the right
//   edge (r,C-1) for r = 1..R-2; the bottom row (0,c) and the top row (R-1,c) for
//   c = 1..C-2; the interior row-major; then the data equations row-major.
// Each equation lists its centre first, then its neighbours in the program's
// fixed order. The right-hand side is 0 for the Laplace equations and
// scaleFactor * z for the data equations.
//
// Pre: R >= 2, C >= 2 (smaller grids are refused before a system is built).
// Post: equationCount() == R * C + N; the products touch every entry once.
//
// Storage: row offsets, 32-bit column indices and 8-bit coefficients in three
// contiguous arrays. multiply() is the plain product over the stored entries;
// the fused products of LSQR use the stencil directly and give the same bits.
#pragma once

#include "app/core/Grid.h"
#include "engine/Lsqr.h"

#include <cstdint>
#include <vector>

class Reporter;

class SparseRowSystem final : public LsqrFusedProducts {
public:
    /// Generates every equation for the grid (R >= 2, C >= 2; a node is known when non-zero).
    explicit SparseRowSystem(const RealGrid& values);

    int rows() const { return rows_; }
    int columns() const { return cols_; }
    std::int32_t unknownCount() const { return std::int32_t(nodeCount_); }
    std::int32_t knownCount() const { return std::int32_t(equationCount_ - nodeCount_); }
    /// R x C + N.
    std::int32_t equationCount() const { return std::int32_t(equationCount_); }
    std::int64_t entryTotal() const { return std::int64_t(columnIndices_.size()); }

    /// Equation i's entries: columnIndices()[rowStart()[i] .. rowStart()[i+1]).
    const std::vector<std::uint32_t>& rowStart() const { return rowStart_; }
    const std::vector<std::uint32_t>& columnIndices() const { return columnIndices_; }
    const std::vector<std::int8_t>& coefficients() const { return coefficients_; }

    /// b: 0.0 for the Laplace equations, scaleFactor * value of each known node, row-major.
    std::vector<double> rightHandSide(const RealGrid& values, double scaleFactor) const;

    /// The product over the stored entries, each equation in order and each entry in order:
    /// mode 0: y := y + A x; mode 1: x := x + A^T y. Any other mode writes
    /// "Error interpreting mode flag in test_mult.\n" to standard output and changes nothing.
    void multiply(long mode, double* x, double* y) const;

    // LsqrFusedProducts: the same arithmetic from the stencil, without reading the stored entries.
    double forward(double factor, double uScale, double* u, double vScale, const double* v,
                   const std::function<void()>& shared = {}) override;
    void forwardShare(double factor, double uScale, double* u, double vScale, const double* v) override;
    double adjoint(double factor, double vScale, double* v, double uScale, const double* u,
                   const std::function<void()>& shared = {}) override;
    void adjointShare(double factor, double vScale, double* v, double uScale, const double* u) override;

    /// Number of the Laplace equation of node (r, c).
    std::uint32_t equationOf(int r, int c) const;

private:
    struct BandNode {   ///< a node near the border: the equations holding it, in equation order
        std::uint32_t node;
        std::uint8_t count;
        std::uint32_t equation[5];
        std::int8_t coefficient[5];
    };

    void addEquation(std::initializer_list<std::pair<std::uint32_t, std::int8_t>> entries);
    void buildBandNodes();
    /// The first interior row forwardShare() forms, or 0 when the grid is too small to share.
    std::ptrdiff_t forwardSplitRow() const;
    /// Interior equation rows first .. last with their data equations (see forward()); adds their
    /// squares to sum when summed.
    double forwardRows(std::ptrdiff_t first, std::ptrdiff_t last, double factor, double uScale, double* u,
                       double vScale, const double* v, std::vector<double>& scratch, bool summed, double sum) const;
    /// The first node row adjointShare() forms, or 0 when the grid is too small to share.
    std::ptrdiff_t adjointSplitRow() const;
    /// Node rows first .. last (first is 0 or an interior row); adds their squares to sum when summed.
    double adjointRows(std::ptrdiff_t first, std::ptrdiff_t last, double factor, double vScale, double* v,
                       double uScale, const double* u, std::vector<double>& scratch, bool summed, double sum) const;
    double adjointBandNode(const BandNode& b, double factor, double vScale, double* v, double uScale,
                           const double* u, std::size_t& nextKnown) const;

    int rows_, cols_;
    std::size_t nodeCount_ = 0, equationCount_ = 0;
    std::vector<std::uint32_t> rowStart_;
    std::vector<std::uint32_t> columnIndices_;
    std::vector<std::int8_t> coefficients_;
    std::vector<BandNode> bandNodes_;   ///< row-major
    std::vector<double> scratch_;       ///< rolling rows of the fused products
    std::vector<double> shareScratch_;  ///< the same for forwardShare() and adjointShare() on another thread
};

/// The product callback of the LSQR function structure; data is the SparseRowSystem.
void sparseRowProduct(long mode, dvec* x, dvec* y, void* data);

/// Largest R x C the system accepts (its equation count must fit the 32-bit counts).
inline constexpr std::int64_t kMaxSystemNodes = 715827882;   // 6 n entries < 2^32, 2 n equations < 2^31
