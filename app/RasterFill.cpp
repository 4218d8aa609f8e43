#include "app/RasterFill.h"

#include "app/core/Reporter.h"
#include "app/RunCommand.h"
#include "app/SessionState.h"
#include "formats/GdalRaster.h"
#include "graphics/GraphicsModel.h"

#include <cmath>
#include <limits>
#include <mutex>
#include <vector>

double PostingRules::apply(double v) const
{
    if (std::isnan(v) || (nullBelow && v < *nullBelow)) return std::numeric_limits<double>::quiet_NaN();
    if (seaLevel && v >= seaLevel->first && v <= seaLevel->second) return 0.0;
    return v;
}

void PostingRules::apply(RealGrid& values) const
{
    if (!nullBelow && !seaLevel) return;
    for (double& v : values.cells()) v = apply(v);
}

double engineValue(double v)
{
    if (std::isnan(v)) return 0.0;
    return v == 0.0 ? std::numeric_limits<double>::min() : v;
}

bool fillNullPostings(RealGrid& values, SessionState& session, Reporter& reporter)
{
    const int rows = values.rows(), cols = values.cols();
    GraphicsModel scratch;   // Run takes a real-valued grid from the graphics window's expanded grid
    scratch.expandedGrid.emplace(rows, cols);
    for (int r = 0; r < rows; ++r) {
        const double* in = values.row(rows - 1 - r);
        double* out = scratch.expandedGrid->row(r);
        for (int c = 0; c < cols; ++c) out[c] = engineValue(in[c]);
    }
    const InputKind kind = session.inputKind;
    session.inputKind = InputKind::GraphicsGridInput;
    session.fromGraphicsWindow = true;
    session.numberElevationRows = rows;
    session.numberElevationColumns = cols;
    std::optional<RealGrid> solution = solveRunInput(session, scratch, reporter, session.polishIterations);
    session.fromGraphicsWindow = false;
    session.inputKind = kind;
    scratch.expandedGrid.reset();
    if (!solution || solution->rows() != rows || solution->cols() != cols) return false;
    for (int r = 0; r < rows; ++r) {
        const double* s = solution->row(rows - 1 - r);
        double* v = values.row(r);
        for (int c = 0; c < cols; ++c)
            if (std::isnan(v[c])) v[c] = s[c];
    }
    return true;
}

ByteGrid nullPostingMask(const RealGrid& values)
{
    ByteGrid mask(values.rows(), values.cols());
    std::uint8_t* m = mask.data();
    for (double v : values.cells()) *m++ = std::isnan(v) ? 1 : 0;
    return mask;
}

namespace {

constexpr int kStripRows = gdalraster::kBlockSide;

/// One filled posting: its column and value (the strip and row are where it is kept).
struct Filled {
    std::int64_t index;   ///< row * columns + column in the file
    double value;
};

/// The raster file as the windowed fill sees it: engine values with the file's south row as
/// row 0. Filled postings are kept by strip of the file for the writing pass.
class FileWindows final : public WindowedRaster {
public:
    FileWindows(gdalraster::RasterSource& source, const PostingRules& rules, Reporter& reporter)
        : source_(source), rules_(rules), reporter_(reporter), rows_(source.info().rows),
          cols_(source.info().cols), strips_(std::size_t((rows_ + kStripRows - 1) / kStripRows))
    {
    }
    std::int64_t rows() const override { return rows_; }
    std::int64_t columns() const override { return cols_; }

    bool read(const RasterRect& rect, double* out) override
    {
        block_ = RealGrid(int(rect.rows), int(rect.columns));
        if (!source_.read(int(rows_ - rect.top - rect.rows), int(rect.left), block_, reporter_)) return false;
        for (int i = 0; i < block_.rows(); ++i) {
            const double* in = block_.row(block_.rows() - 1 - i);
            for (int j = 0; j < block_.cols(); ++j) *out++ = engineValue(rules_.apply(in[j]));
        }
        return true;
    }

    bool write(const RasterRect& rect, const double* values) override
    {
        for (std::int64_t i = 0; i < rect.rows; ++i) {
            const std::int64_t fileRow = rows_ - 1 - (rect.top + i);
            auto& strip = strips_[std::size_t(fileRow / kStripRows)];
            for (std::int64_t j = 0; j < rect.columns; ++j, ++values)
                if (!std::isnan(*values)) strip.push_back({fileRow * cols_ + rect.left + j, *values});
        }
        return true;
    }

    std::vector<Filled>& strip(int index) { return strips_[std::size_t(index)]; }

private:
    gdalraster::RasterSource& source_;
    const PostingRules& rules_;
    Reporter& reporter_;
    std::int64_t rows_, cols_;
    RealGrid block_;
    std::vector<std::vector<Filled>> strips_;
};

/// Reporter progress in thousandths of the work, from counts of any size.
class Permille {
public:
    explicit Permille(Reporter& reporter) : reporter_(reporter) { reporter_.progressStart(0, 1000); }
    ~Permille() { reporter_.progressHide(); }
    void reached(std::int64_t done, std::int64_t total)
    {
        const int p = total > 0 ? int(std::min<std::int64_t>(1000, done * 1000 / total)) : 1000;
        for (; shown_ < p; ++shown_) reporter_.progressStep();
    }

private:
    Reporter& reporter_;
    int shown_ = 0;
};

} // namespace

bool fillRasterFileByWindows(const RasterFileFill& request, Reporter& reporter)
{
    auto source = gdalraster::RasterSource::open(request.input, reporter);
    if (!source) return false;
    const int rows = source->info().rows, cols = source->info().cols;
    FileWindows windows(*source, request.rules, reporter);
    std::optional<WindowedFillSummary> summary;
    {
        WindowedFillOptions options = request.solver;
        Permille progress(reporter);
        options.progress = [&](std::int64_t solved, std::int64_t unknown) { progress.reached(solved, unknown); };
        summary = fillByWindows(windows, options, reporter);
    }
    if (!summary) return false;
    reporter.log("Void groups filled:  " + std::to_string(summary->groups));
    reporter.log("Postings filled:  " + std::to_string(summary->postings));
    reporter.log("Largest window:  " + std::to_string(summary->largestWindow));
    if (summary->unconverged > 0)
        reporter.log("Void groups whose surface did not converge:  " + std::to_string(summary->unconverged));

    RasterDescription description = source->info().description;
    if (request.outputType && *request.outputType != description.type) {
        description.type = *request.outputType;
        description.nodata.reset();
    }
    auto sink = gdalraster::GeoTiffSink::create(request.output, rows, cols, description, {request.cog}, reporter);
    if (!sink) return false;
    std::unique_ptr<gdalraster::GeoTiffSink> maskSink;
    if (!request.maskOutput.empty()) {
        RasterDescription mask = source->info().description;
        mask.type = SampleType::Byte;
        mask.nodata = 255.0;
        maskSink = gdalraster::GeoTiffSink::create(request.maskOutput, rows, cols, mask, {}, reporter);
        if (!maskSink) return false;
    }
    reporter.log(request.output);
    Permille progress(reporter);
    for (int top = 0, s = 0; top < rows; top += kStripRows, ++s) {
        RealGrid strip(std::min(kStripRows, rows - top), cols);
        if (!source->read(top, 0, strip, reporter)) return false;
        request.rules.apply(strip);
        if (maskSink) {
            RealGrid mask(strip.rows(), cols);
            for (std::size_t i = 0; i < strip.size(); ++i) mask.data()[i] = std::isnan(strip.data()[i]) ? 1.0 : 0.0;
            if (!maskSink->write(top, 0, mask, reporter)) return false;
        }
        std::vector<Filled>& filled = windows.strip(s);
        const std::int64_t first = std::int64_t(top) * cols;
        for (const Filled& f : filled) strip.data()[f.index - first] = f.value;
        std::vector<Filled>().swap(filled);
        if (!sink->write(top, 0, strip, reporter)) return false;
        progress.reached(top + strip.rows(), rows);
    }
    return sink->commit(reporter) && (!maskSink || maskSink->commit(reporter));
}
