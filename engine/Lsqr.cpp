#include "engine/Lsqr.h"

#include "app/core/Reporter.h"
#include "engine/BackgroundWorker.h"

#include <atomic>
#include <cmath>
#include <cstring>
#include <functional>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

namespace {

bool useWorker(LsqrThreading threading, std::size_t columns)
{
    switch (threading) {
    case LsqrThreading::Never: return false;
    case LsqrThreading::Always: return true;
    case LsqrThreading::Automatic: break;
    }
    return columns >= 16384 && std::thread::hardware_concurrency() > 1;
}

} // namespace

// --- The solver ----------------------------------------------------------------

std::string lsqrReportHeader(const lsqr_in& in)
{
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "  Least Squares Solution of A*x = b\n\tThe matrix A has %7i rows and %7i columns\n"
                  "\tThe damping parameter is\tDAMP = %10.2e\n\tATOL = %10.2e\t\tCONDLIM = %10.2e\n"
                  "\tBTOL = %10.2e\t\tITERLIM = %10i\n\n",
                  int(in.rows), int(in.columns), in.DAMP, in.ATOL, in.CONDLIM, in.BTOL, int(in.ITERLIM));
    return buf;
}

namespace {

/// a / b, or 0 where b is 0: keeps every estimate finite.
double ratio(double a, double b) { return b != 0.0 ? a / b : 0.0; }

/// The step along the direction w of one iteration, over count elements, before w turns:
/// x += t1 w; d = t3 w; e += d^2 (when the standard errors are kept); d^2 is left in squares.
template <bool WithErrors, std::size_t Fixed = 0>
void stepBlock(double t1, double t3, const double* __restrict w, double* __restrict x, double* __restrict e,
               double* __restrict squares, std::size_t count = Fixed)
{
    if constexpr (Fixed > 0) count = Fixed;
    for (std::size_t i = 0; i < count; ++i) {
        const double wi = w[i];
        const double d = t3 * wi;
        const double d2 = d * d;
        x[i] = x[i] + t1 * wi;
        if constexpr (WithErrors) e[i] = e[i] + d2;
        squares[i] = d2;
    }
}

/// The whole step; returns ddnorm + the squares of d, added in order.
template <bool WithErrors>
double stepAlong(std::size_t n, double t1, double t3, const double* w, double* x, double* e, double ddnorm)
{
    constexpr std::size_t block = 16;   // values free of one another first, then the sum in order
    double squares[block];
    std::size_t i = 0;
    auto addSquares = [&](std::size_t count) {
        for (std::size_t k = 0; k < count; ++k) ddnorm = ddnorm + squares[k];
    };
    for (; i + block <= n; i += block) {
        stepBlock<WithErrors, block>(t1, t3, w + i, x + i, WithErrors ? e + i : nullptr, squares);
        addSquares(block);
    }
    stepBlock<WithErrors>(t1, t3, w + i, x + i, WithErrors ? e + i : nullptr, squares, n - i);
    addSquares(n - i);
    return ddnorm;
}

/// e is null when the standard errors are not kept.
double stepAlong(std::size_t n, double t1, double t3, const double* w, double* x, double* e, double ddnorm)
{
    return e ? stepAlong<true>(n, t1, t3, w, x, e, ddnorm) : stepAlong<false>(n, t1, t3, w, x, nullptr, ddnorm);
}

/// The direction turns to the new v: w = v * vScale + t2 w.
void turnDirection(std::size_t n, double t2, const double* __restrict v, double vScale, double* __restrict w)
{
    for (std::size_t i = 0; i < n; ++i) w[i] = v[i] * vScale + t2 * w[i];
}

/// One half-step of the bidiagonalisation through the callback: target := target * factor + op(source),
/// op = A for mode 0 (target u, source v) and A^T for mode 1 (target v, source u). Returns norm(target).
double plainHalfStep(lsqr_fnc* fnc, void* data, long mode, double factor, dvec* target, dvec* source)
{
    dvec_scale(factor, target);
    if (mode == 0) fnc->mat_vec_prod(0, source, target, data);
    else fnc->mat_vec_prod(1, target, source, data);
    return dvec_norm2(target);
}

} // namespace

void lsqr(lsqr_in* in, lsqr_out* out, lsqr_wrk* wrk, lsqr_fnc* fnc, void* data, Reporter& reporter)
{
    reporter.log(" ");
    reporter.log("Computing LSQR Solution");
    reporter.progressStart(0, in->ITERLIM);
    if (in->reportStream) {
        std::fputs(lsqrReportHeader(*in).c_str(), in->reportStream);
        std::fflush(in->reportStream);
    }

    const std::size_t n = std::size_t(in->columns > 0 ? in->columns : 0);
    const std::int32_t m = in->rows;
    dvec* u = in->b;
    dvec* x = in->x;
    dvec* v = wrk->v;
    dvec* w = wrk->w;
    dvec* e = out->e;
    out->terminationFlag = 0;
    out->iterationCount = 0;
    out->matrixNorm = out->conditionNumber = out->residualNorm = out->normalResidualNorm = out->solutionNorm = 0.0;
    std::memset(v->elements, 0, n * sizeof(double));
    std::memset(w->elements, 0, n * sizeof(double));
    std::memset(e->elements, 0, n * sizeof(double));

    const double damp = in->DAMP, dampSquared = damp * damp;
    const double eps = kLsqrMachinePrecision;

    // The residual tests are relative to norm(b), as the method states them; u := b - A x0, beta u,
    // alpha v := A^T u, w := v.
    const double normB = dvec_norm2(u);
    dvec_scale(-1.0, u);
    fnc->mat_vec_prod(0, x, u, data);
    dvec_scale(-1.0, u);
    double beta = dvec_norm2(u), alpha = 0.0;
    if (beta > 0.0) {
        dvec_scale(1.0 / beta, u);
        fnc->mat_vec_prod(1, v, u, data);
        alpha = dvec_norm2(v);
    }
    if (alpha > 0.0) dvec_scale(1.0 / alpha, v);
    dvec_copy(v, w);

    double rnorm = beta, arnorm = alpha * beta, anorm = 0.0, acond = 0.0, xnorm = 0.0;
    // Pending scales of u and v (the fused path normalises them lazily, inside the next pass).
    double uScale = 1.0, vScale = 1.0;
    if (arnorm > 0.0 && in->ITERLIM <= 0) out->terminationFlag = 7;
    if (arnorm > 0.0 && in->ITERLIM > 0) {
        double rhobar = alpha, phibar = beta;
        // b = 0 (a start away from the zero solution): relative to the start's residual instead.
        const double bnorm = normB > 0.0 ? normB : beta;
        double ddnorm = 0.0, res2 = 0.0, xxnorm = 0.0, z = 0.0, cs2 = -1.0, sn2 = 0.0;
        std::int32_t flag = 0;
        // The update of x and w runs on the worker in two parts: the step of x along w beside the
        // second product (A^T u), and the turn of w to the new v beside the first product of the
        // next iteration (they share no output), after the part of that product the matrix lets the
        // worker form; only the condition test waits for them.
        std::optional<BackgroundWorker> worker;
        if (useWorker(in->threading, n)) {
            try {
                worker.emplace();
            } catch (const std::system_error&) {   // no thread to be had: this one does it all
            }
        }
        auto beside = [&](std::function<void()> task) {
            if (worker) worker->start(std::move(task));
            else task();
        };
        auto waitBeside = [&] {
            if (worker) worker->wait();
        };
        bool updatePending = false;
        auto finishUpdate = [&] {
            waitBeside();
            updatePending = false;
            acond = anorm * std::sqrt(ddnorm);
            return acond > 0.0 ? 1.0 / acond : 1.0;   // test3
        };
        // With a worker, a fused product leaves a part of its values to it; the worker then goes on with
        // its part of the update. shareWith(form, then) starts that; the product waits through awaitShare
        // (empty without sharing).
        const bool share = fnc->fused && worker;
        std::atomic<bool> shareFormed = false;
        auto shareWith = [&](std::function<void()> form, std::function<void()> then) {
            shareFormed.store(false);
            worker->start([&, form = std::move(form), then = std::move(then)] {
                form();
                shareFormed.store(true, std::memory_order_release);
                shareFormed.notify_one();
                if (then) then();
            });
        };
        std::function<void()> awaitShare;
        if (share) awaitShare = [&] { shareFormed.wait(false, std::memory_order_acquire); };
        std::function<void()> pendingTurn;
        for (;;) {
            // Bidiagonalisation, first half: beta u := A v - alpha u.
            if (share) {
                shareWith([&, factor = -alpha, us = uScale, vs = vScale] {
                    fnc->fused->forwardShare(factor, us, u->elements, vs, v->elements);
                }, std::exchange(pendingTurn, {}));
            } else if (pendingTurn) {
                beside(std::exchange(pendingTurn, {}));
            }
            if (fnc->fused) {
                beta = std::sqrt(fnc->fused->forward(-alpha, uScale, u->elements, vScale, v->elements, awaitShare));
                uScale = 1.0;
            } else {
                beta = plainHalfStep(fnc, data, 0, -alpha, u, v);
            }
            if (updatePending) {   // the last iteration ends here only when its condition test holds
                if (finishUpdate() <= eps) {
                    flag = 6;
                    break;
                }
                reporter.progressStep();
            }
            ++out->iterationCount;
            if (beta > 0.0) {
                if (fnc->fused) uScale = 1.0 / beta;
                else dvec_scale(1.0 / beta, u);
                anorm = std::sqrt(anorm * anorm + alpha * alpha + beta * beta + dampSquared);
            }

            // Plane rotations: eliminate the damping parameter, then the subdiagonal beta (all that
            // x's step needs; the new alpha only enters theta and rhobar).
            double rhbar1 = rhobar, psi = 0.0;
            if (damp > 0.0) {
                rhbar1 = std::sqrt(rhobar * rhobar + dampSquared);
                const double cs1 = rhobar / rhbar1, sn1 = damp / rhbar1;
                psi = sn1 * phibar;
                phibar = cs1 * phibar;
            }
            const double rho = std::sqrt(rhbar1 * rhbar1 + beta * beta);
            if (!(rho > 0.0) || !std::isfinite(rho)) break;   // nothing left to rotate: x stays as it is
            const double cs = rhbar1 / rho, sn = beta / rho;
            const double phi = cs * phibar;
            std::function<void()> step = [&, t1 = phi / rho, t3 = 1.0 / rho] {
                ddnorm = stepAlong(n, t1, t3, w->elements, x->elements, in->standardErrors ? e->elements : nullptr,
                                   ddnorm);
            };
            updatePending = true;

            // Second half: alpha v := A^T u - beta v.
            if (share && beta > 0.0) {
                shareWith([&, factor = -beta, vs = vScale, us = uScale] {
                    fnc->fused->adjointShare(factor, vs, v->elements, us, u->elements);
                }, std::move(step));
            } else {
                beside(std::move(step));
            }
            if (beta > 0.0) {
                if (fnc->fused) {
                    alpha = std::sqrt(fnc->fused->adjoint(-beta, vScale, v->elements, uScale, u->elements, awaitShare));
                    vScale = 1.0;
                } else {
                    alpha = plainHalfStep(fnc, data, 1, -beta, v, u);
                }
                if (alpha > 0.0) {
                    if (fnc->fused) vScale = 1.0 / alpha;
                    else dvec_scale(1.0 / alpha, v);
                }
            }
            const double theta = sn * alpha;
            rhobar = -cs * alpha;
            phibar = sn * phibar;
            const double tau = sn * phi;
            waitBeside();   // x's step is done: w may turn, beside the next first product
            pendingTurn = [&, t2 = -theta / rho, scale = vScale] {
                turnDirection(n, t2, v->elements, scale, w->elements);
            };

            // A rotation on the right of the upper bidiagonal matrix estimates norm(x).
            const double delta = sn2 * rho;
            const double gambar = -cs2 * rho;
            const double rhs = phi - delta * z;
            const double zbar = ratio(rhs, gambar);
            xnorm = std::sqrt(xxnorm + zbar * zbar);
            const double gamma = std::sqrt(gambar * gambar + theta * theta);
            cs2 = ratio(gambar, gamma);
            sn2 = ratio(theta, gamma);
            z = ratio(rhs, gamma);
            xxnorm = xxnorm + z * z;

            // Estimates and termination tests (the condition test once the update is done).
            res2 = res2 + psi * psi;
            rnorm = std::sqrt(phibar * phibar + res2);
            arnorm = alpha * std::fabs(tau);
            const double test1 = rnorm / bnorm;
            const double test2 = ratio(arnorm, anorm * rnorm);
            const double scaledXnorm = anorm * xnorm / bnorm;
            const bool limit = out->iterationCount >= in->ITERLIM;
            const bool machineNormal = test2 <= eps;
            const bool machineResidual = test1 <= eps + eps * scaledXnorm;
            const bool normal = test2 <= in->ATOL;
            const bool residual = test1 <= in->BTOL + in->ATOL * scaledXnorm;
            if (limit || machineNormal || machineResidual || normal || residual) {
                const double test3 = finishUpdate();
                if (limit) flag = 7;
                if (test3 <= eps) flag = 6;
                if (machineNormal) flag = 5;
                if (machineResidual) flag = 4;
                if (normal) flag = 2;
                if (residual) flag = 1;
                reporter.progressStep();
                break;
            }
        }
        if (updatePending) finishUpdate();
        out->terminationFlag = flag;

        // Standard errors: sqrt(sum) * norm(r) / sqrt(t).
        double t = 1.0;
        if (m > in->columns) t = double(m) - double(in->columns);
        if (damp != 0.0) t = double(m);
        const double factor = rnorm / std::sqrt(t);
        if (in->standardErrors)
            for (std::size_t i = 0; i < n; ++i) e->elements[i] = std::sqrt(e->elements[i]) * factor;
    }

    out->matrixNorm = anorm;
    out->conditionNumber = acond;
    out->residualNorm = rnorm;
    out->normalResidualNorm = arnorm;
    out->solutionNorm = xnorm;

    reporter.log(" ");
    reporter.log("Termination Flag is:   " + std::to_string(out->terminationFlag));
    reporter.log("Number of Iterations is:   " + std::to_string(out->iterationCount));
    reporter.log("Solution Norm is:   " + formatReal(out->solutionNorm));
    reporter.log("Condition Number is:   " + formatReal(out->conditionNumber));
    reporter.progressHide();
}
