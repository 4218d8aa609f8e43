#include "app/TileFill.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "formats/SrtmHgt.h"
#include "graphics/GraphicsModel.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <limits>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr std::int32_t kUncovered = std::numeric_limits<std::int32_t>::min();

RasterRect intersection(const RasterRect& a, const RasterRect& b)
{
    const std::int64_t top = std::max(a.top, b.top), left = std::max(a.left, b.left);
    const std::int64_t bottom = std::min(a.top + a.rows, b.top + b.rows);
    const std::int64_t right = std::min(a.left + a.columns, b.left + b.columns);
    return {top, left, std::max<std::int64_t>(0, bottom - top), std::max<std::int64_t>(0, right - left)};
}

/// A tile and its halo as the engine sees them. Raster row 0 is the part's south row
/// (engine order), so every tile visits the mosaic's postings in one order.
class HaloRaster final : public WindowedRaster {
public:
    HaloRaster(IntGrid part, const RasterRect& core, IntGrid own, std::int32_t nullBelow, int lsqrIterations)
        : part_(std::move(part)), core_(core), out_(std::move(own)), own_(out_), null_(nullBelow), lsqr_(lsqrIterations)
    {
        // A void of the tile where a neighbour knows the posting takes the neighbour's value.
        for (int r = 0; r < out_.rows(); ++r)
            for (int c = 0; c < out_.cols(); ++c) {
                const std::int32_t m = part_(int(core_.top) + r, int(core_.left) + c);
                if (out_(r, c) < null_ && m >= null_) out_(r, c) = m;
            }
    }

    std::int64_t rows() const override { return part_.rows(); }
    std::int64_t columns() const override { return part_.cols(); }

    bool read(const RasterRect& rect, double* out) override
    {
        for (std::int64_t i = 0; i < rect.rows; ++i) {
            const std::int32_t* src = part_.row(partRow(rect.top + i)) + rect.left;
            for (std::int64_t j = 0; j < rect.columns; ++j)
                *out++ = gridops::engineValue(inputDataValue(src[j], null_, lsqr_));
        }
        return true;
    }

    bool write(const RasterRect& rect, const double* values) override
    {
        bool filledAny = false;
        for (std::int64_t i = 0; i < rect.rows; ++i) {
            const int pr = partRow(rect.top + i);
            for (std::int64_t j = 0; j < rect.columns; ++j, ++values) {
                const std::int64_t r = pr - core_.top, c = rect.left + j - core_.left;
                if (std::isnan(*values) || r < 0 || r >= core_.rows || c < 0 || c >= core_.columns) continue;
                if (part_(pr, int(rect.left + j)) >= null_) continue;   // 0 and 255 are solved, not written
                out_(int(r), int(c)) = gridops::truncToInt(*values);
                filledAny = true;
            }
        }
        voids_ += filledAny;
        openVoids_ += filledAny && reachesCut(rect);
        return true;
    }

    /// Groups that filled null postings of the tile, and those of them that reach the halo's cut edge.
    std::int64_t voids() const { return voids_; }
    std::int64_t openVoids() const { return openVoids_; }

    /// Whether a group touches the tile.
    bool touchesTile(const VoidGroup& g) const
    {
        const RasterRect coreRaster{rows() - core_.top - core_.rows, core_.left, core_.rows, core_.columns};
        const RasterRect i = intersection(g.bounds, coreRaster);
        return i.rows > 0 && i.columns > 0;
    }
    /// Which of the part's south, north, west and east edges lie inside the mosaic, and
    /// the margin of the windows.
    void setCutEdges(std::array<bool, 4> cut, int margin)
    {
        cut_ = cut;
        reach_ = 2 + margin;
    }

    std::int64_t filledPostings() const
    {
        std::int64_t n = 0;
        for (std::size_t k = 0; k < own_.size(); ++k) n += own_.data()[k] < null_ && out_.data()[k] >= null_;
        return n;
    }
    IntGrid takeOutput() { return std::move(out_); }

private:
    int partRow(std::int64_t rasterRow) const { return int(part_.rows() - 1 - rasterRow); }
    /// Whether the window of a group of these bounds reaches a cut edge, beyond which the
    /// group may go on and where its window would be clipped.
    bool reachesCut(const RasterRect& b) const
    {
        return (cut_[0] && b.top < reach_) || (cut_[1] && b.top + b.rows > rows() - reach_) ||
               (cut_[2] && b.left < reach_) || (cut_[3] && b.left + b.columns > columns() - reach_);
    }

    IntGrid part_;
    RasterRect core_;   // the tile inside the part, north row first
    IntGrid out_;
    const IntGrid own_;
    std::int32_t null_;
    int lsqr_;
    std::int64_t voids_ = 0, openVoids_ = 0;
    std::array<bool, 4> cut_{};
    std::int64_t reach_ = 2;
};

} // namespace

std::optional<IntGrid> fillSetTile(const TileSet& set, const SetTile& tile, const TileFillSettings& settings,
                                   TileFillCounts& counts, Reporter& reporter)
{
    const int n = set.side();
    const std::int64_t h = std::clamp(settings.halo, 0, n - 1);
    const RasterRect core = set.extent(tile.cell);
    const RasterRect part = intersection({core.top - h, core.left - h, core.rows + 2 * h, core.columns + 2 * h},
                                         {0, 0, set.mosaicRows(), set.mosaicColumns()});
    IntGrid mosaic(int(part.rows), int(part.columns), kUncovered);
    std::optional<IntGrid> own;
    // South and east first: the known postings of the north-western tile win on shared postings.
    for (int dLat : {-1, 0, 1})
        for (int dLon : {1, 0, -1}) {
            const SetTile* t = set.at({tile.cell.latitude + dLat, tile.cell.longitude + dLon});
            if (!t) continue;
            const RasterRect e = set.extent(t->cell), i = intersection(e, part);
            if (i.rows == 0 || i.columns == 0) continue;
            std::optional<IntGrid> read;
            RasterRect from{i.top - e.top, i.left - e.left, i.rows, i.columns};
            if (t == &tile) {
                own = readTileRect(t->path, n, {0, 0, n, n}, reporter);
                if (!own) return std::nullopt;
                read = own;
            } else {
                read = readTileRect(t->path, n, from, reporter);
                if (!read) return std::nullopt;
                from.top = from.left = 0;
            }
            for (std::int64_t r = 0; r < i.rows; ++r)
                for (std::int64_t c = 0; c < i.columns; ++c) {
                    const std::int32_t v = (*read)(int(from.top + r), int(from.left + c));
                    std::int32_t& m = mosaic(int(i.top - part.top + r), int(i.left - part.left + c));
                    if (v >= settings.nullDataDefinition || m == kUncovered) m = v;
                }
        }
    for (std::int32_t& m : mosaic.cells())
        if (m == kUncovered) m = 0;   // a cell without a tile: sea level

    HaloRaster raster(std::move(mosaic), {core.top - part.top, core.left - part.left, n, n}, std::move(*own),
                      settings.nullDataDefinition, settings.solver.lsqrIterations);
    WindowedFillOptions options = settings.solver;
    options.progress = nullptr;
    options.accept = [&](const VoidGroup& g) { return raster.touchesTile(g); };
    raster.setCutEdges({part.top + part.rows < set.mosaicRows(), part.top > 0, part.left > 0,
                        part.left + part.columns < set.mosaicColumns()},
                       windowMargin(options));
    const std::optional<WindowedFillSummary> summary = fillByWindows(raster, options, reporter);
    if (!summary) return std::nullopt;
    counts.groups = raster.voids();
    counts.openGroups = raster.openVoids();
    counts.postings = raster.filledPostings();
    return raster.takeOutput();
}

namespace {

/// Reporter calls from several tiles at once, one at a time.
class SerialReporter final : public Reporter {
public:
    explicit SerialReporter(Reporter& to) : to_(to) {}
    void log(std::string_view line) override { std::lock_guard l(m_); to_.log(line); }
    void progressStart(int a, int b) override { std::lock_guard l(m_); to_.progressStart(a, b); }
    void progressStep() override { std::lock_guard l(m_); to_.progressStep(); }
    void progressHide() override { std::lock_guard l(m_); to_.progressHide(); }
    void notice(std::string_view c, std::string_view t) override { std::lock_guard l(m_); to_.notice(c, t); }
    void completionSignal() override {}

private:
    Reporter& to_;
    std::mutex m_;
};

/// Removes the temporary files (".N49E011.hgt.<process>-<n>.part") a killed run left
/// beside the outputs of these tiles.
void removeLeftTemporaries(const std::string& outFolder, const std::vector<const SetTile*>& tiles)
{
    std::set<std::string> names;
    for (const SetTile* t : tiles) names.insert(t->fileName);
    std::error_code ec;
    std::vector<fs::path> left;
    for (const fs::directory_entry& e : fs::directory_iterator(outFolder, ec)) {
        const std::string name = e.path().filename().string();   // tile names have 11 characters
        if (name.size() > 18 && name[0] == '.' && name[12] == '.' && name.ends_with(".part") &&
            names.count(name.substr(1, 11)))
            left.push_back(e.path());
    }
    for (const fs::path& p : left) fs::remove(p, ec);
}

/// The output is complete (2 n^2 bytes) and newer than the tile and each neighbour.
bool upToDate(const TileSet& set, const SetTile& tile, const std::string& out)
{
    std::error_code ec;
    const std::uintmax_t bytes = fs::file_size(out, ec);
    if (ec || bytes != 2 * std::uintmax_t(set.side()) * std::uintmax_t(set.side())) return false;
    const fs::file_time_type written = fs::last_write_time(out, ec);
    if (ec) return false;
    for (int dLat : {-1, 0, 1})
        for (int dLon : {-1, 0, 1})
            if (const SetTile* t = set.at({tile.cell.latitude + dLat, tile.cell.longitude + dLon})) {
                const fs::file_time_type input = fs::last_write_time(t->path, ec);
                if (ec || input > written) return false;
            }
    return true;
}

std::string duration(double seconds)
{
    const long s = std::lround(seconds);
    char text[32];
    if (s >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
    return text;
}

} // namespace

int fillTileSet(const TileSet& set, const std::string& outFolder, const TileFillSettings& settings, Reporter& reporter)
{
    std::error_code ec;
    fs::create_directories(outFolder, ec);
    for (const SetTile& tile : set.tiles())
        if (fs::equivalent(fs::absolute(tile.path).parent_path(), outFolder, ec)) {
            // Outputs renamed over the inputs would feed filled tiles into their neighbours' halos.
            reporter.log("The output folder " + outFolder + " holds the input tile " + tile.path +
                         ": choose another folder.");
            return int(set.tiles().size());
        }
    std::vector<const SetTile*> mine;
    for (std::size_t k = 0; k < set.tiles().size(); ++k)
        if (int(k % std::size_t(settings.shardCount)) == settings.shardIndex) mine.push_back(&set.tiles()[k]);
    removeLeftTemporaries(outFolder, mine);

    const int jobs = std::max(1, std::min<int>(settings.jobs, int(mine.size())));
    TileFillSettings perTile = settings;   // fewer tiles than jobs: the cores left solve windows side by side
    perTile.solver.threads = std::max(1, settings.jobs / jobs);
    SerialReporter serial(reporter);
    const auto start = std::chrono::steady_clock::now();
    std::atomic<std::size_t> next = 0, done = 0;
    std::atomic<int> failures = 0;
    auto work = [&] {
        for (std::size_t k; (k = next++) < mine.size();) {
            const SetTile& tile = *mine[k];
            const std::string out = (fs::path(outFolder) / tile.fileName).string();
            const auto tileStart = std::chrono::steady_clock::now();
            std::string line;
            if (upToDate(set, tile, out)) {
                line = "up to date, skipped";
            } else {
                TileFillCounts counts;
                std::optional<IntGrid> filled = fillSetTile(set, tile, perTile, counts, serial);
                const bool ok = filled && writeSrtmTile(out, *filled, serial);
                if (!ok) {
                    ++failures;
                    line = "FAILED";
                } else {
                    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - tileStart).count();
                    line = std::to_string(counts.groups) + (counts.groups == 1 ? " void, " : " voids, ") +
                           std::to_string(counts.postings) +
                           " postings filled in " + formatFixed(seconds, 1) + " s";
                    if (counts.openGroups > 0)
                        line += "; " + std::to_string(counts.openGroups) + " reach beyond the halo";
                }
            }
            const std::size_t finished = ++done;
            const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            const double left = elapsed / double(finished) * double(mine.size() - finished);
            serial.log("Tile " + std::to_string(finished) + " of " + std::to_string(mine.size()) + " " + tile.fileName +
                       ": " + line + "; about " + duration(left) + " left");
        }
    };
    {
        std::vector<std::jthread> workers;
        for (int j = 1; j < jobs; ++j) {
            try {
                workers.emplace_back(work);
            } catch (const std::system_error&) {
                break;   // as many threads as the system gives
            }
        }
        work();
    }
    return failures;
}
