#include "engine/WindowedFill.h"

#include "app/core/Reporter.h"
#include "engine/Interpolation.h"
#include "engine/LaplacianSystem.h"
#include "engine/Relaxation.h"
#include "engine/SurfaceSolver.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <exception>
#include <limits>
#include <mutex>
#include <new>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

bool GridRaster::read(const RasterRect& rect, double* out)
{
    for (std::int64_t i = 0; i < rect.rows; ++i)
        out = std::copy_n(grid_.row(int(rect.top + i)) + rect.left, rect.columns, out);
    return true;
}

bool GridRaster::write(const RasterRect& rect, const double* values)
{
    for (std::int64_t i = 0; i < rect.rows; ++i) {
        double* row = grid_.row(int(rect.top + i)) + rect.left;
        for (std::int64_t j = 0; j < rect.columns; ++j, ++values)
            if (!std::isnan(*values)) row[j] = *values;
    }
    return true;
}

int windowMargin(const WindowedFillOptions& options)
{
    return options.refiningSweeps == 0 && options.lsqrIterations == 0 ? 0 : std::max(0, options.inexactMargin);
}

RasterRect groupWindow(const VoidGroup& group, std::int64_t rows, std::int64_t columns, int margin)
{
    const std::int64_t grow = 2 + std::max(0, margin);
    const RasterRect& b = group.bounds;
    const std::int64_t top = std::max<std::int64_t>(0, b.top - grow);
    const std::int64_t left = std::max<std::int64_t>(0, b.left - grow);
    const std::int64_t bottom = std::min(rows, b.top + b.rows + grow);
    const std::int64_t right = std::min(columns, b.left + b.columns + grow);
    return {top, left, bottom - top, right - left};
}

namespace {

/// The cells a cell's update reads: |dr| + |dc| <= 2, without the cell itself.
constexpr int kReach[12][2] = {{-2, 0}, {-1, -1}, {-1, 0}, {-1, 1}, {0, -2}, {0, -1},
                               {0, 1},  {0, 2},   {1, -1}, {1, 0},  {1, 1},  {2, 0}};

/// The group of (row, column) in a rows x columns area: take(r, c) answers whether
/// the cell is an unknown not yet taken, and takes it. Returns the group's bounds
/// and size; visit(r, c) sees every cell of it.
template <class Take, class Visit>
VoidGroup floodGroup(std::int64_t row, std::int64_t column, std::int64_t rows, std::int64_t columns, Take take,
                     Visit visit, std::vector<std::int64_t>& stack)
{
    VoidGroup g;
    g.seedRow = row;
    g.seedColumn = column;
    std::int64_t top = row, bottom = row, left = column, right = column;
    stack.clear();
    take(row, column);
    stack.push_back(row * columns + column);
    while (!stack.empty()) {
        const std::int64_t r = stack.back() / columns, c = stack.back() % columns;
        stack.pop_back();
        visit(r, c);
        ++g.postings;
        top = std::min(top, r);
        bottom = std::max(bottom, r);
        left = std::min(left, c);
        right = std::max(right, c);
        for (const auto& d : kReach) {
            const std::int64_t nr = r + d[0], nc = c + d[1];
            if (nr >= 0 && nr < rows && nc >= 0 && nc < columns && take(nr, nc)) stack.push_back(nr * columns + nc);
        }
    }
    g.bounds = {top, left, bottom - top + 1, right - left + 1};
    return g;
}

/// One bit per posting: set while the posting is unknown and not yet in a group.
class UnknownMask {
public:
    bool build(WindowedRaster& raster)
    {
        rows_ = raster.rows();
        columns_ = raster.columns();
        bits_.assign(std::size_t((rows_ * columns_ + 63) / 64), 0);
        const std::int64_t strip = std::clamp<std::int64_t>((std::int64_t(1) << 20) / std::max<std::int64_t>(1, columns_),
                                                            1, std::max<std::int64_t>(1, rows_));
        std::vector<double> buffer(std::size_t(strip * columns_));
        for (std::int64_t top = 0; top < rows_; top += strip) {
            const std::int64_t n = std::min(strip, rows_ - top);
            if (!raster.read({top, 0, n, columns_}, buffer.data())) return false;
            const std::int64_t first = top * columns_;
            for (std::int64_t k = 0; k < n * columns_; ++k)
                if (buffer[std::size_t(k)] == 0.0) {
                    bits_[std::size_t((first + k) >> 6)] |= std::uint64_t(1) << ((first + k) & 63);
                    ++unknown_;
                }
        }
        return true;
    }

    std::int64_t unknown() const { return unknown_; }

    /// Keeps a copy of the bits as built, for wasUnknown() while scan() takes them.
    void keepOriginal() { original_ = bits_; }
    bool wasUnknown(std::int64_t r, std::int64_t c) const
    {
        const std::int64_t k = r * columns_ + c;
        return (original_[std::size_t(k >> 6)] >> (k & 63)) & 1;
    }

    /// Calls found(group) for each group in order; stops when found returns false.
    template <class Found>
    void scan(Found found)
    {
        std::vector<std::int64_t> stack;
        auto take = [&](std::int64_t r, std::int64_t c) {
            const std::int64_t k = r * columns_ + c;
            std::uint64_t& word = bits_[std::size_t(k >> 6)];
            const std::uint64_t bit = std::uint64_t(1) << (k & 63);
            if (!(word & bit)) return false;
            word &= ~bit;
            return true;
        };
        for (std::size_t w = 0; w < bits_.size(); ++w)
            while (bits_[w]) {
                const std::int64_t k = std::int64_t(w) * 64 + std::countr_zero(bits_[w]);
                const VoidGroup g =
                    floodGroup(k / columns_, k % columns_, rows_, columns_, take, [](auto, auto) {}, stack);
                if (!found(g)) return;
            }
    }

private:
    std::int64_t rows_ = 0, columns_ = 0, unknown_ = 0;
    std::vector<std::uint64_t> bits_, original_;
};

/// Solves groups; read() and write() of the raster under one lock.
class GroupSolver {
public:
    GroupSolver(WindowedRaster& raster, const WindowedFillOptions& options, const UnknownMask& mask,
                Reporter& reporter)
        : raster_(raster), options_(options), mask_(mask), unknown_(mask.unknown()), reporter_(reporter),
          exact_(options.refiningSweeps == 0 && options.lsqrIterations == 0)
    {
    }

    bool solve(const VoidGroup& group)
    {
        try {
            return solveGroup(group);
        } catch (const std::bad_alloc&) {
            return failed("Not enough memory to fill a void group of " + std::to_string(group.postings) + " postings.");
        }
    }

    bool hasFailed() const { return failed_; }
    const WindowedFillSummary& summary() const { return summary_; }

private:
    bool solveGroup(const VoidGroup& group)
    {
        const RasterRect win = groupWindow(group, raster_.rows(), raster_.columns(), windowMargin(options_));
        const std::int64_t cells = win.rows * win.columns;
        if (win.rows > std::numeric_limits<int>::max() || win.columns > std::numeric_limits<int>::max() ||
            cells > std::int64_t(std::numeric_limits<std::uint32_t>::max()) ||
            (options_.lsqrIterations > 0 && cells > kMaxSystemNodes))
            return failed("Void group too large to fill: its window is " + std::to_string(win.rows) + " x " +
                          std::to_string(win.columns) + " postings.");
        RealGrid values(int(win.rows), int(win.columns));
        {
            std::lock_guard lock(io_);
            if (!raster_.read(win, values.data())) return failed({});
        }
        ByteGrid member(values.rows(), values.cols(), 0);
        std::vector<std::int64_t> stack;
        floodGroup(
            group.seedRow - win.top, group.seedColumn - win.left, win.rows, win.columns,
            [&](std::int64_t r, std::int64_t c) {
                if (values(int(r), int(c)) != 0.0 || member(int(r), int(c))) return false;
                member(int(r), int(c)) = 1;
                return true;
            },
            [](auto, auto) {}, stack);
        std::optional<RealGrid> solution;
        bool converged = true;
        if (exact_ && options_.surface.converged()) {
            // Other groups' cells (unknown, or filled already) share no term with this group:
            // held, as the whole-raster solve holds them.
            ByteGrid fixed(values.rows(), values.cols());
            for (int r = 0; r < fixed.rows(); ++r)
                for (int c = 0; c < fixed.cols(); ++c)
                    fixed(r, c) = member(r, c) ? 0 : mask_.wasUnknown(win.top + r, win.left + c) ? kHeldCell : 1;
            SurfaceSettings settings;
            settings.tension = options_.surface.operatorTension();
            converged = solveSurface(values, fixed, settings).converged;
            solution = std::move(values);
        } else {
            if (exact_) {
                // Other groups' cells are never read by this group's updates: hold them fixed.
                for (std::size_t k = 0; k < values.size(); ++k)
                    if (values.data()[k] == 0.0 && !member.data()[k]) values.data()[k] = 1.0;
            }
            solution = solveWindow(values);
        }
        if (!solution) return failed({});

        const RasterRect& b = group.bounds;
        std::vector<double> out(std::size_t(b.rows * b.columns), std::numeric_limits<double>::quiet_NaN());
        for (std::int64_t i = 0; i < b.rows; ++i)
            for (std::int64_t j = 0; j < b.columns; ++j) {
                const int r = int(b.top - win.top + i), c = int(b.left - win.left + j);
                if (member(r, c)) out[std::size_t(i * b.columns + j)] = (*solution)(r, c);
            }
        std::lock_guard lock(io_);
        if (!raster_.write(b, out.data())) return failed({});
        ++summary_.groups;
        summary_.postings += group.postings;
        summary_.largestWindow = std::max(summary_.largestWindow, cells);
        summary_.unconverged += !converged;
        if (options_.progress) options_.progress(summary_.postings, unknown_);
        return true;
    }

    std::optional<RealGrid> solveWindow(const RealGrid& values)
    {
        NullReporter quiet;
        if (options_.lsqrIterations == 0) {
            CentralDifferenceSolver solver(values, options_.laplacianIterations, options_.refiningSweeps, quiet);
            solver.setSurface(options_.surface);
            return solver.solve(0);
        }
        InterpolationRequest request;
        request.kind = InputKind::GraphicsGridInput;
        request.graphicsGrid = &values;
        request.rows = values.rows();
        request.columns = values.cols();
        request.lsqrIterations = options_.lsqrIterations;
        request.polishIterations = options_.refiningSweeps;
        request.laplacianIterations = options_.laplacianIterations;
        request.scaleFactor = options_.scaleFactor;
        request.surface = options_.surface;
        request.reportStream = nullptr;
        std::unique_ptr<InterpolationProblem> problem = interpolate(request, quiet);
        if (!problem) return std::nullopt;
        return std::move(problem->solution);
    }

    bool failed(const std::string& line)
    {
        std::lock_guard lock(io_);
        if (!line.empty()) reporter_.log(line);
        failed_ = true;
        return false;
    }

    WindowedRaster& raster_;
    const WindowedFillOptions& options_;
    const UnknownMask& mask_;
    const std::int64_t unknown_;
    Reporter& reporter_;
    const bool exact_;
    std::recursive_mutex io_;   // failed() logs under it, also from inside a raster call
    std::atomic<bool> failed_ = false;
    WindowedFillSummary summary_;
};

/// Groups handed from the finding thread to the solving threads.
class GroupQueue {
public:
    explicit GroupQueue(std::size_t capacity) : capacity_(capacity) {}

    /// false when the queue was closed.
    bool push(const VoidGroup& g)
    {
        std::unique_lock lock(mutex_);
        notFull_.wait(lock, [&] { return closed_ || queue_.size() < capacity_; });
        if (closed_) return false;
        queue_.push_back(g);
        notEmpty_.notify_one();
        return true;
    }

    std::optional<VoidGroup> pop()
    {
        std::unique_lock lock(mutex_);
        notEmpty_.wait(lock, [&] { return closed_ || finished_ || !queue_.empty(); });
        if (closed_ || queue_.empty()) return std::nullopt;
        VoidGroup g = queue_.front();
        queue_.pop_front();
        notFull_.notify_one();
        return g;
    }

    /// No more groups will come; the solvers finish those queued.
    void finish() { setFlag(finished_); }
    /// Stop now: queued groups are dropped.
    void close() { setFlag(closed_); }

private:
    void setFlag(bool& flag)
    {
        {
            std::lock_guard lock(mutex_);
            flag = true;
        }
        notEmpty_.notify_all();
        notFull_.notify_all();
    }

    std::size_t capacity_;
    std::mutex mutex_;
    std::condition_variable notFull_, notEmpty_;
    std::deque<VoidGroup> queue_;
    bool finished_ = false, closed_ = false;
};

} // namespace

bool findVoidGroups(WindowedRaster& raster, const std::function<void(const VoidGroup&)>& found)
{
    UnknownMask mask;
    if (!mask.build(raster)) return false;
    mask.scan([&](const VoidGroup& g) {
        found(g);
        return true;
    });
    return true;
}

std::optional<WindowedFillSummary> fillByWindows(WindowedRaster& raster, const WindowedFillOptions& options,
                                                 Reporter& reporter)
{
    if (raster.rows() < 2 || raster.columns() < 2) {
        reporter.log(kGridTooSmallLine);
        return std::nullopt;
    }
    UnknownMask mask;
    try {
        if (!mask.build(raster)) return std::nullopt;
        // The converged surface holds other groups' postings, filled or not: it needs them as they were.
        if (options.surface.converged() && windowMargin(options) == 0) mask.keepOriginal();
    } catch (const std::bad_alloc&) {
        reporter.log("Not enough memory for the mask of unknown postings of a " + std::to_string(raster.rows()) +
                     " x " + std::to_string(raster.columns()) + " raster.");
        return std::nullopt;
    }
    GroupSolver solver(raster, options, mask, reporter);
    auto wanted = [&](const VoidGroup& g) { return !options.accept || options.accept(g); };

    const unsigned threads = options.threads > 0 ? unsigned(options.threads)
                                                 : std::max(1u, std::thread::hardware_concurrency());
    GroupQueue queue(4 * threads);
    std::vector<std::jthread> workers;
    for (unsigned t = 0; threads > 1 && t < threads; ++t) {
        try {
            workers.emplace_back([&] {
                while (std::optional<VoidGroup> g = queue.pop())
                    if (!solver.solve(*g)) queue.close();
            });
        } catch (const std::system_error&) {
            break;   // as many solving threads as the system gives
        }
    }
    if (workers.empty()) {
        mask.scan([&](const VoidGroup& g) { return !wanted(g) || solver.solve(g); });
    } else {
        // Leaving by an exception closes the queue, so that the workers end before they are joined.
        struct CloseOnThrow {
            GroupQueue& queue;
            int exceptions = std::uncaught_exceptions();
            ~CloseOnThrow()
            {
                if (std::uncaught_exceptions() > exceptions) queue.close();
            }
        } closeOnThrow{queue};
        mask.scan([&](const VoidGroup& g) { return !wanted(g) || queue.push(g); });
        queue.finish();
        workers.clear();   // joins
    }
    if (solver.hasFailed()) return std::nullopt;
    return solver.summary();
}
