// Dense least squares for tests: an independent check of iterative solutions on
// small systems (Householder QR; Krylov subspaces with full reorthogonalisation).
#pragma once

#include <cassert>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <random>
#include <vector>

namespace dense {

/// A dense m x n matrix, row-major.
struct Matrix {
    std::size_t rows = 0, cols = 0;
    std::vector<double> a;
    Matrix(std::size_t m, std::size_t n) : rows(m), cols(n), a(m * n, 0.0) {}
    double& operator()(std::size_t i, std::size_t j) { return a[i * cols + j]; }
    double operator()(std::size_t i, std::size_t j) const { return a[i * cols + j]; }
};

/// The dense matrix of a system stored as row offsets, column indices and coefficients.
template <class System>
Matrix denseOf(const System& s)
{
    Matrix A(std::size_t(s.equationCount()), std::size_t(s.unknownCount()));
    for (std::size_t i = 0; i < A.rows; ++i)
        for (auto e = s.rowStart()[i]; e < s.rowStart()[i + 1]; ++e) A(i, s.columnIndices()[e]) += s.coefficients()[e];
    return A;
}

inline std::vector<double> multiply(const Matrix& A, const std::vector<double>& x)
{
    std::vector<double> y(A.rows, 0.0);
    for (std::size_t i = 0; i < A.rows; ++i)
        for (std::size_t j = 0; j < A.cols; ++j) y[i] += A(i, j) * x[j];
    return y;
}

inline std::vector<double> multiplyTransposed(const Matrix& A, const std::vector<double>& y)
{
    std::vector<double> x(A.cols, 0.0);
    for (std::size_t i = 0; i < A.rows; ++i)
        for (std::size_t j = 0; j < A.cols; ++j) x[j] += A(i, j) * y[i];
    return x;
}

inline double dot(const std::vector<double>& a, const std::vector<double>& b)
{
    return std::inner_product(a.begin(), a.end(), b.begin(), 0.0);
}

inline double norm(const std::vector<double>& a) { return std::sqrt(dot(a, a)); }

/// argmin ||A x - b|| for A of full column rank, by Householder QR (b carried as a last column).
inline std::vector<double> leastSquares(const Matrix& A0, const std::vector<double>& b)
{
    const std::size_t m = A0.rows, n = A0.cols;
    assert(m >= n);
    Matrix A(m, n + 1);
    for (std::size_t i = 0; i < m; ++i)
        for (std::size_t j = 0; j <= n; ++j) A(i, j) = j < n ? A0(i, j) : b[i];
    for (std::size_t k = 0; k < n; ++k) {
        std::vector<double> v(m, 0.0);
        for (std::size_t i = k; i < m; ++i) v[i] = A(i, k);
        const double alpha = A(k, k) > 0 ? -norm(v) : norm(v);
        v[k] -= alpha;
        const double vv = dot(v, v);
        for (std::size_t j = k; j <= n && vv != 0.0; ++j) {
            double s = 0.0;
            for (std::size_t i = k; i < m; ++i) s += v[i] * A(i, j);
            for (std::size_t i = k; i < m; ++i) A(i, j) -= 2 * s / vv * v[i];
        }
    }
    std::vector<double> x(n, 0.0);
    for (std::size_t k = n; k-- > 0;) {   // back substitution in the last column
        for (std::size_t j = k + 1; j < n; ++j) A(k, n) -= A(k, j) * x[j];
        x[k] = A(k, n) / A(k, k);
    }
    return x;
}

/// The k-th iterate of any Krylov least-squares method started at x0 (LSQR, CGLS in
/// exact arithmetic): x0 + the minimiser of ||b - A x|| over the span of
/// (A^T A)^i A^T r0, i < k. The basis is orthonormalised twice against itself.
inline std::vector<double> krylovIterate(const Matrix& A, const std::vector<double>& b,
                                         const std::vector<double>& x0, std::size_t k)
{
    std::vector<double> r0 = multiply(A, x0);
    for (std::size_t i = 0; i < r0.size(); ++i) r0[i] = b[i] - r0[i];
    std::vector<std::vector<double>> basis;
    Matrix AV(A.rows, k);   // A times the basis
    std::vector<double> next = multiplyTransposed(A, r0);
    for (std::size_t i = 0; i < k; ++i) {
        for (int pass = 0; pass < 2; ++pass)
            for (const auto& q : basis) {
                const double c = dot(q, next);
                for (std::size_t j = 0; j < next.size(); ++j) next[j] -= c * q[j];
            }
        const double len = norm(next);
        for (double& v : next) v /= len;
        const std::vector<double> Aq = multiply(A, next);
        for (std::size_t r = 0; r < A.rows; ++r) AV(r, i) = Aq[r];
        basis.push_back(next);
        next = multiplyTransposed(A, Aq);
    }
    const std::vector<double> y = leastSquares(AV, r0);
    std::vector<double> x = x0;
    for (std::size_t j = 0; j < k; ++j)
        for (std::size_t i = 0; i < x.size(); ++i) x[i] += y[j] * basis[j][i];
    return x;
}

/// Largest |a_i - b_i| relative to the largest |b_i|.
inline double relativeDifference(const std::vector<double>& a, const std::vector<double>& b)
{
    double diff = 0.0, scale = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i)
        diff = std::max(diff, std::fabs(a[i] - b[i])), scale = std::max(scale, std::fabs(b[i]));
    return scale > 0 ? diff / scale : diff;
}

/// A grid whose cells are known (uniform in low..high) with the given probability, else 0 (unknown).
template <class G>
G randomKnownGrid(std::mt19937& gen, int rows, int columns, double knownFraction, double low = -50, double high = 900)
{
    std::uniform_real_distribution<double> u(0, 1), z(low, high);
    G g(rows, columns, 0.0);
    for (auto& v : g.cells()) v = u(gen) < knownFraction ? z(gen) : 0.0;
    return g;
}

/// n values uniform in low..high.
inline std::vector<double> randomValues(std::mt19937& gen, std::size_t n, double low, double high)
{
    std::uniform_real_distribution<double> d(low, high);
    std::vector<double> v(n);
    for (double& x : v) x = d(gen);
    return v;
}

} // namespace dense
