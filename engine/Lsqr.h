// LSQR: the least-squares solution of A x = b by Golub-Kahan bidiagonalisation,
// the method of C. C. Paige and M. A. Saunders, "LSQR: An algorithm for sparse
// linear equations and sparse least squares", ACM Transactions on Mathematical
// Software 8(1), 43-71, 1982.
//
// The solver sees A only through a product callback (mode 0: y := y + A x;
// mode 1: x := x + A^T y) and starts from the caller's estimate x0: it solves
// for the correction of x0 (u := b - A x0). Every iteration extends the
// bidiagonalisation by one step, applies one plane rotation and updates x, the
// search direction w, the standard-error sums and the estimates of norm(A),
// cond(A), norm(r), norm(A^T r) and norm(x). Termination tests, in this order,
// each later one overriding an earlier one: iteration limit (7), condition
// estimate at machine precision (6), A^T r at machine precision (5), residual at
// machine precision (4), A^T r within ATOL (2), residual within BTOL and ATOL (1).
// The residual tests measure norm(r) against norm(b) (against norm(b - A x0)
// when b is 0).
// There is no test against CONDLIM.
//
// Pre: b holds rows elements, x holds columns elements (the start estimate).
// Post: x holds the solution, the output its flag, iteration count, estimates
// and standard errors; no division by zero is ever made: a start estimate
// that already solves the system (beta = 0 or alpha = 0) ends with flag 0,
// zero iterations and x unchanged.
//
// Allocation failures of these structures are fatal: a tab, the message and a
// newline on standard error, then exit code -1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

class Reporter;

/// A vector of 64-bit floats with its length.
struct dvec {
    std::int32_t length = 0;
    double* elements = nullptr;
};

/// Where the LSQR structures get their memory: std::malloc, or a replacement that tests use to
/// reach the allocation-failure paths.
using LsqrAllocator = void* (*)(std::size_t bytes);

dvec* alloc_dvec(std::int32_t length, LsqrAllocator allocate = std::malloc);   ///< elements zero-filled
void free_dvec(dvec* v);                  ///< a null vector is ignored
/// Square root of the plain sum of squares, summed in index order.
double dvec_norm2(const dvec* v);
/// Multiplies every element by factor.
void dvec_scale(double factor, dvec* v);
/// Copies as many elements as from holds.
void dvec_copy(const dvec* from, dvec* to);

/// Whether lsqr() runs the update of x, w and e on a second thread beside the next product
/// (the results are the same bits either way). Automatic: for large systems on machines with
/// more than one core.
enum class LsqrThreading { Automatic, Never, Always };

struct lsqr_in {
    std::int32_t rows = 0;       ///< number of equations
    std::int32_t columns = 0;    ///< number of unknowns
    double DAMP = 0.0;
    double ATOL = 0.0;           ///< relative error of the matrix
    double BTOL = 0.0;           ///< relative error of the right-hand side
    double CONDLIM = 0.0;
    std::int32_t ITERLIM = 0;
    std::FILE* reportStream = nullptr;   ///< receives the report header; none when null
    dvec* b = nullptr;           ///< right-hand side; used as the work vector u (overwritten)
    dvec* x = nullptr;           ///< start estimate on entry, solution on exit
    LsqrThreading threading = LsqrThreading::Automatic;
    /// false: out->e is left at zero and the iterations do not keep its sums (a fifth less memory
    /// traffic per iteration); x and every other output are the same bits either way.
    bool standardErrors = true;
};

struct lsqr_out {
    std::int32_t terminationFlag = 0;
    std::int32_t iterationCount = 0;
    double matrixNorm = 0.0;
    double conditionNumber = 0.0;
    double residualNorm = 0.0;
    double normalResidualNorm = 0.0;
    double solutionNorm = 0.0;   ///< estimate of the norm of the correction of x0
    dvec* x = nullptr;           ///< the input's x
    dvec* e = nullptr;           ///< standard-error estimates
};

struct lsqr_wrk {
    dvec* v = nullptr;   ///< bidiagonalisation work vector
    dvec* w = nullptr;   ///< search direction
};

/// Optional fast path of a matrix: one bidiagonalisation half-step in one pass. Both
/// must give exactly the bits of the plain sequence they replace (scale the vector
/// by its pending scale and then by factor, add the product of the other vector
/// times its pending scale through the callback, sum the squares in index order).
class LsqrFusedProducts {
public:
    virtual ~LsqrFusedProducts() = default;
    /// u := (u * uScale) * factor + A (v * vScale); returns the sum of squares of the new u. When
    /// `shared` is given, forwardShare() with the same arguments has formed (or is forming, on
    /// another thread) a part of u: forward() forms the rest and calls shared() before it reads
    /// that part.
    virtual double forward(double factor, double uScale, double* u, double vScale, const double* v,
                           const std::function<void()>& shared = {}) = 0;
    /// Forms the part of the new u that a second thread may take, without its squares; nothing when
    /// the matrix offers none.
    virtual void forwardShare(double, double, double*, double, const double*) {}
    /// v := (v * vScale) * factor + A^T (u * uScale); returns the sum of squares of the new v; shared
    /// as for forward(), with adjointShare().
    virtual double adjoint(double factor, double vScale, double* v, double uScale, const double* u,
                           const std::function<void()>& shared = {}) = 0;
    virtual void adjointShare(double, double, double*, double, const double*) {}
};

using lsqr_prod = void (*)(long mode, dvec* x, dvec* y, void* data);

struct lsqr_fnc {
    lsqr_prod mat_vec_prod = nullptr;
    LsqrFusedProducts* fused = nullptr;   ///< used for the iterations when set
};

lsqr_in* alloc_lsqr_in(std::int32_t rows, std::int32_t columns, LsqrAllocator allocate = std::malloc);
/// x is left for the caller to share.
lsqr_out* alloc_lsqr_out(std::int32_t rows, std::int32_t columns, LsqrAllocator allocate = std::malloc);
lsqr_wrk* alloc_lsqr_wrk(std::int32_t rows, std::int32_t columns, LsqrAllocator allocate = std::malloc);
lsqr_fnc* alloc_lsqr_fnc(LsqrAllocator allocate = std::malloc);
void free_lsqr_in(lsqr_in*);
void free_lsqr_out(lsqr_out*);   ///< frees e, not the shared x
void free_lsqr_wrk(lsqr_wrk*);
void free_lsqr_fnc(lsqr_fnc*);

/// The four structures for (rows, columns), the output sharing the input's x;
/// released in the order input, output, work, function.
class LsqrMemory {
public:
    LsqrMemory(std::int32_t rows, std::int32_t columns, LsqrAllocator allocate = std::malloc);
    ~LsqrMemory();
    LsqrMemory(const LsqrMemory&) = delete;
    LsqrMemory& operator=(const LsqrMemory&) = delete;

    lsqr_in* input;
    lsqr_out* output;
    lsqr_wrk* work;
    lsqr_fnc* function;
};

/// Runs LSQR; logs " " and "Computing LSQR Solution" before and the four result lines
/// after, drives the progress bar (0..ITERLIM) and writes the report header to reportStream.
void lsqr(lsqr_in* input, lsqr_out* output, lsqr_wrk* work, lsqr_fnc* function, void* data,
          Reporter& reporter);

/// The report header exactly as written to the report stream.
std::string lsqrReportHeader(const lsqr_in& input);



inline constexpr double kLsqrMachinePrecision = 2.220446049250313e-16;
