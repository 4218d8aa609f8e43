#include "view/ThreeDScene.h"

#include "app/core/Reporter.h"
#include "app/core/TextNumbers.h"
#include "view/GreyImage.h"

#include <cstring>

bool prepareRender(ThreeDState& state, RealGrid* grid, Reporter& reporter)
{
    state.lightDirection = lightDirection(state.solarAzimuth, state.solarBearing);
    if (!grid || grid->empty()) return false;
    const bool resized = grid->rows() != state.rows || grid->cols() != state.columns;
    if (state.firstRender || resized) {
        // A grid of another size gets the set-up of a first render, from a fresh view,
        // so the mesh never reads outside the grid.
        if (!state.firstRender) state.modelView = ViewMatrix::identity();
        state.rows = grid->rows();
        state.columns = grid->cols();
        reporter.log("Rows is:  " + std::to_string(state.rows));
        reporter.log("Columns is:  " + std::to_string(state.columns));
        const double k = double(state.rows) + double(state.columns);
        state.projection = ViewMatrix::identity();
        state.projection.ortho(-k, k, -k, k, -k, k);
        const DisplayRange range = displayRange(*grid, false);
        state.minimumElevation = range.minimum;
        state.maximumElevation = range.maximum;
        reporter.log("minimum elevation is:  " + formatSignificant(state.minimumElevation));
        reporter.log("maximum elevation is:  " + formatSignificant(state.maximumElevation));
        state.modelView.translate(-float(state.rows), -float(state.columns), 0.0f);
        state.firstRender = false;
    }
    if (state.smoothPending) {
        smoothGrid(*grid, 3);
        state.smoothPending = false;
    }
    return true;
}

namespace {
/// A 64-bit fingerprint of a grid's size and bits (FNV-1a over 64-bit words).
std::uint64_t fingerprint(const RealGrid& g)
{
    std::uint64_t h = 0xcbf29ce484222325ull;
    auto mix = [&h](std::uint64_t word) { h = (h ^ word) * 0x100000001b3ull; };
    mix(std::uint64_t(g.rows()) << 32 | std::uint32_t(g.cols()));
    for (double v : g.cells()) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        mix(bits);
    }
    return h;
}
} // namespace

RealGrid* DisplayGrid::select(RealGrid* solution, bool smoothPending)
{
    if (solution && smoothPending) {
        source_ = fingerprint(*solution);
        shown_ = *solution;
    } else if (!solution || (shown_ && fingerprint(*solution) != source_)) {
        shown_.reset();
    }
    return shown_ ? &*shown_ : solution;
}

bool resizeView(ThreeDState& state, int width, int height)
{
    if (height == 0) height = 1;
    state.clientWidth = float(width);
    state.clientHeight = float(height);
    const double k = double(state.lastWidth) + double(state.lastHeight);
    state.projection = ViewMatrix::identity();
    state.projection.ortho(-k, k, -k, k, -k, k);
    state.lastWidth = int(state.clientWidth);
    state.lastHeight = int(state.clientHeight);
    return !state.firstRender;
}

namespace {
Vec3 unit(Axis axis, float length)
{
    switch (axis) {
    case Axis::X: return {length, 0.0f, 0.0f};
    case Axis::Y: return {0.0f, length, 0.0f};
    case Axis::Z: break;
    }
    return {0.0f, 0.0f, length};
}
} // namespace

void rotateView(ThreeDState& state, Axis axis, float degrees)
{
    const Vec3 a = unit(axis, 1.0f);
    state.modelView.rotate(degrees, a[0], a[1], a[2]);
}

void translateView(ThreeDState& state, Axis axis, float distance)
{
    const Vec3 t = unit(axis, distance);
    state.modelView.translate(t[0], t[1], t[2]);
}

void scaleView(ThreeDState& state, float factor)
{
    state.modelView.scale(factor, factor, factor);
}

PanelEntryFailure applyRenderEntries(ThreeDState& state, const std::string& azimuth, const std::string& bearing,
                                     const std::string& scaleFactor, bool showAxes)
{
    if (isEmptyText(azimuth) || isEmptyText(bearing)) return PanelEntryFailure::EmptyAngles;
    const auto a = parseRealText(azimuth);
    if (!a) return PanelEntryFailure::NotANumber;
    if (*a < 0.0 || *a > 360.0) return PanelEntryFailure::AzimuthRange;
    if (isEmptyText(scaleFactor)) return PanelEntryFailure::EmptyScale;
    state.solarAzimuth = float(*a);
    const auto b = parseRealText(bearing);
    if (!b) return PanelEntryFailure::NotANumber;
    state.solarBearing = float(*b);
    const auto s = parseRealText(scaleFactor);
    if (!s) return PanelEntryFailure::NotANumber;
    state.elevationScale = float(*s);
    state.showAxes = showAxes;
    return PanelEntryFailure::None;
}

PanelEntryFailure checkStereoEntry(const std::string& text, float& angle)
{
    if (isEmptyText(text)) return PanelEntryFailure::EmptyAngles;
    const auto v = parseRealText(text);
    if (!v) return PanelEntryFailure::NotANumber;
    if (*v < 0.0 || *v > 360.0) return PanelEntryFailure::StereoRange;
    angle = float(*v);
    return PanelEntryFailure::None;
}
