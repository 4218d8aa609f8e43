#include "engine/SurfaceSolver.h"

#include "app/core/Reporter.h"
#include "engine/SurfaceMultigrid.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

namespace {

/// A window's cells: free (0), known, or free cells of another group (held, but no data).
constexpr std::uint8_t kKnown = 1, kOtherGroup = kHeldCell;

struct Window {
    int top = 0, left = 0, bottom = 0, right = 0;   ///< inclusive
};

/// The groups of free cells that share a difference term (cells up to two apart along a row or
/// column, or diagonal neighbours), each as its label per cell (-1 for fixed cells) and window.
std::vector<Window> freeGroups(const ByteGrid& fixed, std::vector<std::int32_t>& label)
{
    const int R = fixed.rows(), C = fixed.cols();
    const std::size_t n = fixed.size();
    std::vector<std::int32_t> parent(n);
    std::iota(parent.begin(), parent.end(), 0);
    auto find = [&](std::int32_t a) {
        while (parent[std::size_t(a)] != a) a = parent[std::size_t(a)] = parent[std::size_t(parent[std::size_t(a)])];
        return a;
    };
    const int offsets[6][2] = {{0, 1}, {0, 2}, {1, -1}, {1, 0}, {1, 1}, {2, 0}};
    const std::uint8_t* f = fixed.data();
    for (int r = 0; r < R; ++r)
        for (int c = 0; c < C; ++c) {
            const std::size_t k = std::size_t(r) * std::size_t(C) + std::size_t(c);
            if (f[k]) continue;
            for (const auto& o : offsets) {
                const int rr = r + o[0], cc = c + o[1];
                if (rr >= R || cc < 0 || cc >= C) continue;
                const std::size_t q = std::size_t(rr) * std::size_t(C) + std::size_t(cc);
                if (f[q]) continue;
                const std::int32_t a = find(std::int32_t(k)), b = find(std::int32_t(q));
                if (a != b) parent[std::size_t(std::max(a, b))] = std::min(a, b);
            }
        }
    std::vector<Window> windows;
    label.assign(n, -1);
    std::vector<std::int32_t> groupOfRoot(n, -1);
    for (int r = 0; r < R; ++r)
        for (int c = 0; c < C; ++c) {
            const std::size_t k = std::size_t(r) * std::size_t(C) + std::size_t(c);
            if (f[k]) continue;
            const std::size_t root = std::size_t(find(std::int32_t(k)));
            if (groupOfRoot[root] < 0) {
                groupOfRoot[root] = std::int32_t(windows.size());
                windows.push_back({r, c, r, c});
            }
            const std::int32_t g = groupOfRoot[root];
            label[k] = g;
            Window& w = windows[std::size_t(g)];
            w.top = std::min(w.top, r);
            w.bottom = std::max(w.bottom, r);
            w.left = std::min(w.left, c);
            w.right = std::max(w.right, c);
        }
    for (Window& w : windows) {
        w.top = std::max(0, w.top - 2);
        w.left = std::max(0, w.left - 2);
        w.bottom = std::min(R - 1, w.bottom + 2);
        w.right = std::min(C - 1, w.right + 2);
    }
    return windows;
}

/// The start of the free cells: a pull-push fill. The known values are averaged up a pyramid of
/// 2 x 2 blocks (weights capped at 1), then each level takes the parent's value in the share of
/// weight its own cells lack. Cheap, and close enough that the iteration starts within the
/// surface's own variation rather than from one value.
void pullPushStart(double* x, int rows, int cols, const std::vector<std::uint8_t>& fixed)
{
    struct Layer {
        int rows, cols;
        std::vector<double> value, weight;
    };
    std::vector<Layer> pyramid;
    Layer base{rows, cols, std::vector<double>(x, x + std::size_t(rows) * std::size_t(cols)),
               std::vector<double>(fixed.size())};
    for (std::size_t k = 0; k < fixed.size(); ++k) base.weight[k] = fixed[k] == kKnown;
    pyramid.push_back(std::move(base));
    while (pyramid.back().rows > 1 || pyramid.back().cols > 1) {
        const Layer& f = pyramid.back();
        Layer c{(f.rows + 1) / 2, (f.cols + 1) / 2, {}, {}};
        c.value.assign(std::size_t(c.rows) * std::size_t(c.cols), 0.0);
        c.weight.assign(c.value.size(), 0.0);
        for (int r = 0; r < f.rows; ++r)
            for (int k = 0; k < f.cols; ++k) {
                const std::size_t i = std::size_t(r) * std::size_t(f.cols) + std::size_t(k);
                const std::size_t j = std::size_t(r / 2) * std::size_t(c.cols) + std::size_t(k / 2);
                c.value[j] += f.weight[i] * f.value[i];
                c.weight[j] += f.weight[i];
            }
        for (std::size_t j = 0; j < c.value.size(); ++j)
            if (c.weight[j] > 0.0) {
                c.value[j] /= c.weight[j];
                c.weight[j] = std::min(1.0, c.weight[j]);
            }
        pyramid.push_back(std::move(c));
    }
    for (std::size_t level = pyramid.size() - 1; level-- > 0;) {
        Layer& f = pyramid[level];
        const Layer& c = pyramid[level + 1];
        for (int r = 0; r < f.rows; ++r)
            for (int k = 0; k < f.cols; ++k) {
                const std::size_t i = std::size_t(r) * std::size_t(f.cols) + std::size_t(k);
                const double parent = c.value[std::size_t(r / 2) * std::size_t(c.cols) + std::size_t(k / 2)];
                const double w = std::min(1.0, f.weight[i]);
                f.value[i] = w * f.value[i] + (1.0 - w) * parent;
            }
    }
    const std::size_t n = std::size_t(rows) * std::size_t(cols);
    for (std::size_t k = 0; k < n; ++k)
        if (!fixed[k]) x[k] = pyramid.front().value[k];
}

struct GroupResult {
    int iterations = 0;
    double largestChange = 0.0, relativeResidual = 0.0;
    bool converged = true;
};

/// Preconditioned conjugate gradients on the free cells of one window; x holds the window's
/// values (fixed cells included, row-major) and receives the solution.
GroupResult solveWindow(double* x, int rows, int cols, std::vector<std::uint8_t> windowFixed,
                        const SurfaceSettings& settings)
{
    GroupResult out;
    const std::size_t n = std::size_t(rows) * std::size_t(cols);
    if (std::find(windowFixed.begin(), windowFixed.end(), 1) == windowFixed.end())
        return out;   // nothing to fix the surface to
    pullPushStart(x, rows, cols, windowFixed);

    SurfaceMultigrid mg(rows, cols, std::move(windowFixed), settings.tension, settings.worker);
    // Each pass over the window runs on the multigrid's halves of its rows; sums are added per half.
    const std::size_t width = std::size_t(cols);
    auto sumOverHalves = [&](auto&& part) {
        double sums[2] = {0.0, 0.0};
        mg.overRows([&](int first, int last, int half) {
            sums[half] = part(std::size_t(first) * width, std::size_t(last) * width);
        });
        return sums[0] + sums[1];
    };
    // A p is formed twice per iteration (for p . A p, then for the residual) rather than stored:
    // one grid fewer in memory for a little more arithmetic.
    std::vector<double> r(n), p(n);
    mg.applyFree(x, r.data());
    double rr = sumOverHalves([&](std::size_t first, std::size_t last) {
        double sum = 0.0;
        for (std::size_t k = first; k < last; ++k) {
            r[k] = -r[k];
            sum += r[k] * r[k];
        }
        return sum;
    });
    const double r0 = std::sqrt(rr);
    if (r0 == 0.0) return out;
    const float* z = mg.precondition(r.data());
    double rz = sumOverHalves([&](std::size_t first, std::size_t last) {
        double sum = 0.0;
        for (std::size_t k = first; k < last; ++k) {
            p[k] = z[k];
            sum += r[k] * double(z[k]);
        }
        return sum;
    });
    out.converged = false;
    for (int it = 1; it <= settings.iterationLimit; ++it) {
        const double pq = mg.energyProduct(p.data());
        if (!(pq > 0.0)) {   // the residual is gone: nothing is left to change
            out.converged = true;
            out.largestChange = 0.0;
            break;
        }
        const double alpha = rz / pq;
        double changes[2] = {0.0, 0.0};
        mg.overRows([&](int first, int last, int half) {
            double change = 0.0;
            for (std::size_t k = std::size_t(first) * width; k < std::size_t(last) * width; ++k) {
                const double step = alpha * p[k];
                x[k] += step;
                change = std::max(change, std::fabs(step));
            }
            changes[half] = change;
        });
        const double change = std::max(changes[0], changes[1]);
        rr = mg.updateResidual(p.data(), alpha, r.data());
        out.iterations = it;
        out.largestChange = change;
        out.relativeResidual = std::sqrt(rr) / r0;
        if (change < settings.tolerance || !std::isfinite(change)) {
            out.converged = std::isfinite(change);
            break;
        }
        z = mg.precondition(r.data());
        const double rzNext = sumOverHalves([&](std::size_t first, std::size_t last) {
            double sum = 0.0;
            for (std::size_t k = first; k < last; ++k) sum += r[k] * double(z[k]);
            return sum;
        });
        const double beta = rzNext / rz;
        rz = rzNext;
        mg.overRows([&](int first, int last, int) {
            for (std::size_t k = std::size_t(first) * width; k < std::size_t(last) * width; ++k)
                p[k] = double(z[k]) + beta * p[k];
        });
    }
    return out;
}

} // namespace

SurfaceResult solveSurface(RealGrid& values, const ByteGrid& fixed, const SurfaceSettings& settings)
{
    const auto started = std::chrono::steady_clock::now();
    SurfaceResult result;
    std::vector<std::int32_t> label;
    const std::vector<Window> windows = freeGroups(fixed, label);
    result.groups = int(windows.size());
    const int C = values.cols();
    for (std::size_t g = 0; g < windows.size(); ++g) {
        const Window& w = windows[g];
        const int rows = w.bottom - w.top + 1, cols = w.right - w.left + 1;
        const bool wholeGrid = rows == values.rows() && cols == C;
        std::vector<double> copy;
        if (!wholeGrid) copy.resize(std::size_t(rows) * std::size_t(cols));
        double* x = wholeGrid ? values.data() : copy.data();
        std::vector<std::uint8_t> windowFixed(std::size_t(rows) * std::size_t(cols));
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                const std::size_t k = std::size_t(r) * std::size_t(cols) + std::size_t(c);
                const std::size_t global = std::size_t(w.top + r) * std::size_t(C) + std::size_t(w.left + c);
                if (!wholeGrid) x[k] = values.data()[global];
                // Free cells of other groups share no term with this group: they stay as they are.
                windowFixed[k] = label[global] < 0 ? (fixed.data()[global] == kHeldCell ? kOtherGroup : kKnown)
                                 : label[global] != std::int32_t(g) ? kOtherGroup
                                                                    : 0;
            }
        const GroupResult one = solveWindow(x, rows, cols, std::move(windowFixed), settings);
        if (!wholeGrid)
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < cols; ++c) {
                    const std::size_t global = std::size_t(w.top + r) * std::size_t(C) + std::size_t(w.left + c);
                    if (label[global] == std::int32_t(g))
                        values.data()[global] = x[std::size_t(r) * std::size_t(cols) + std::size_t(c)];
                }
        result.iterations = std::max(result.iterations, one.iterations);
        result.largestChange = std::max(result.largestChange, one.largestChange);
        result.relativeResidual = std::max(result.relativeResidual, one.relativeResidual);
        result.converged = result.converged && one.converged;
    }
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return result;
}

SurfaceResult solveEngineSurface(RealGrid& values, const SurfaceSettings& settings, const std::string& description,
                                 Reporter& reporter)
{
    reporter.log(" ");
    reporter.log("Computing Converged Surface: " + description);
    ByteGrid fixed(values.rows(), values.cols());
    for (std::size_t k = 0; k < values.size(); ++k) fixed.data()[k] = values.data()[k] != 0.0;
    const SurfaceResult r = solveSurface(values, fixed, settings);
    reporter.log("Void groups is:  " + std::to_string(r.groups));
    reporter.log("Surface Iterations is:  " + std::to_string(r.iterations));
    reporter.log("Largest Change is:  " + formatSignificant(r.largestChange, 3));
    reporter.log("Relative Residual is:  " + formatSignificant(r.relativeResidual, 3));
    reporter.log("Surface Time is:  " + formatFixed(r.seconds, 3));
    if (!r.converged) reporter.log("The surface did not converge within " + std::to_string(settings.iterationLimit) +
                                   " iterations.");
    return r;
}
