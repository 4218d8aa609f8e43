#include "engine/Interpolation.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "engine/Lsqr.h"
#include "engine/Relaxation.h"

#include <chrono>
#include <cstring>

namespace {

/// Steps 2 to 6 of the builder skeleton, once the grid is known.
bool buildSystem(const InterpolationRequest& request, InterpolationProblem& p, Reporter& reporter)
{
    const RealGrid& values = *p.inputValues;
    p.rows = values.rows();
    p.columns = values.cols();
    if (p.rows < 2 || p.columns < 2) {
        reporter.log(kGridTooSmallLine);
        return false;
    }
    if (std::int64_t(p.rows) * p.columns > kMaxSystemNodes) {
        reporter.log(kGridTooLargeLine);
        return false;
    }
    std::int32_t known = 0;
    for (double z : values.cells())
        if (z != 0.0) ++known;
    p.knownCount = known;
    reporter.log(p.knownCountLabel + std::to_string(known));

    p.system = std::make_unique<SparseRowSystem>(values);
    reporter.log("numberRows is:  " + std::to_string(p.system->equationCount()));
    p.rightHandSide = p.system->rightHandSide(values, p.scaleFactor);

    CentralDifferenceSolver estimate(values, p.laplacianIterations, p.polishIterations, reporter);
    estimate.setSurface(request.surface);
    std::optional<RealGrid> x0 = estimate.solve(request.lsqrIterations);
    if (!x0) return false;
    p.initialEstimate.assign(x0->cells().begin(), x0->cells().end());
    return true;
}

} // namespace

std::unique_ptr<InterpolationProblem> interpolate(const InterpolationRequest& request, Reporter& reporter)
{
    const auto start = std::chrono::steady_clock::now();

    const InputBuilder builder = request.fileInput ? request.fileInput : inputBuilderFor(request.kind);
    if (!builder) {
        reporter.log(kSwitchErrorLine);
        return nullptr;
    }
    auto problem = std::make_unique<InterpolationProblem>(request);
    InterpolationProblem& p = *problem;
    if (!builder(request, p, reporter) || !buildSystem(request, p, reporter)) return nullptr;
    if (request.kind == InputKind::SessionGridInput) {
        reporter.log("polishIterations is:  " + std::to_string(p.polishIterations));
        p.ownValues = RealGrid();   // the converted copy is no longer needed
        p.inputValues = nullptr;
    }

    const std::int32_t m = p.system->equationCount(), n = p.system->unknownCount();
    {
        LsqrMemory lsqrMemory(m, n);
        lsqr_in* in = lsqrMemory.input;
        lsqrMemory.function->mat_vec_prod = sparseRowProduct;
        lsqrMemory.function->fused = p.system.get();
        in->reportStream = request.reportStream;
        std::memcpy(in->b->elements, p.rightHandSide.data(), std::size_t(m) * sizeof(double));
        std::memcpy(in->x->elements, p.initialEstimate.data(), std::size_t(n) * sizeof(double));
        in->rows = m;
        in->columns = n;
        in->DAMP = 0.0;
        in->ATOL = 1e-10;
        in->BTOL = 1e-10;
        in->CONDLIM = 10000.0;
        in->ITERLIM = request.lsqrIterations;
        in->standardErrors = false;   // nothing reads them
        if (request.lsqrIterations > 0)
            lsqr(in, lsqrMemory.output, lsqrMemory.work, lsqrMemory.function, p.system.get(), reporter);

        const auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);
        reporter.log("CPU time is:  " + std::to_string(gridops::truncToInt(elapsed.count() * 0.001)));
        reporter.log(" ");
        reporter.log("Done.  View image or save solution to file.");
        reporter.log(" ");

        p.solution = RealGrid(p.rows, p.columns);
        std::memcpy(p.solution.data(), in->x->elements, std::size_t(n) * sizeof(double));

        // The residual b - A x (not reported).
        std::memcpy(in->b->elements, p.rightHandSide.data(), std::size_t(m) * sizeof(double));
        dvec_scale(-1.0, in->b);
        sparseRowProduct(0, in->x, in->b, p.system.get());
    }
    if (p.inputValues != &p.ownValues) p.inputValues = nullptr;   // the caller's grid is not kept
    return problem;
}
