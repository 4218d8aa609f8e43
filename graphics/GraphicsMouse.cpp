// Mouse handling of the graphics window: the button-down dispatch in its fixed
// order, freehand drawing and the rubber band while the button is held, the
// operations a rubber band starts on release, the tile readout, and Subset.
//
// Screen points are display pixels; the cell under a point is (y, x) divided
// by zoomFactor. A rubber band's corners are divided by zoomFactor and clamped
// to the arrays, so its rectangle never leaves them; a rectangle of zero width
// or height runs nothing.
#include "graphics/GraphicsModel.h"

#include "app/core/Reporter.h"

#include <algorithm>
#include <cstdlib>

void GraphicsModel::mouseDown(int x, int y, MouseButton button)
{
    const ClickActions& a = hooks.clicks;
    buttonHeld = true;
    penX = x;
    penY = y;
    if (tagMode && button != MouseButton::Other && a.tag) a.tag(x, y, button);
    if (removeWebEnabled && a.removeWeb) a.removeWeb(x, y);
    if (queryPixelEnabled && a.queryPixel) a.queryPixel(x, y);
    if (showElevationEnabled && a.showElevation) a.showElevation(x, y);
    if (digitiseEnabled && a.digitise) a.digitise(x, y);
    if (lineScanEnabled && a.lineScan) a.lineScan(x, y);

    using Purpose = RubberBand::Purpose;
    const Purpose purpose = subsetRequest ? Purpose::Subset
                            : clipTextRequest ? Purpose::ClipText
                            : interpolateSubsetRequest ? Purpose::InterpolateSubset
                                                       : Purpose::None;
    if (purpose != Purpose::None) {
        rubberBand.purpose = purpose;
        rubberBand.savedPenWidth = penWidth;
        penWidth = zoomFactor;
        rubberBand.startX = rubberBand.endX = x;
        rubberBand.startY = rubberBand.endY = y;
    }
}

bool GraphicsModel::mouseMove(int x, int y)
{
    if (!buttonHeld) return false;
    if (rubberBand.active()) {
        rubberBand.endX = x;
        rubberBand.endY = y;
        return true;
    }
    if (drawTool || eraseTool) {
        drawTo(x, y);
        return true;
    }
    return false;
}

RubberBandOutcome GraphicsModel::mouseUp(int x, int y, Reporter& reporter)
{
    buttonHeld = false;
    using Purpose = RubberBand::Purpose;
    Purpose purpose = Purpose::None;
    CellRect rect;
    if (rubberBand.active()) {
        rubberBand.endX = x;
        rubberBand.endY = y;
        purpose = rubberBand.purpose;
        rect = cellRect(rubberBand.startX, rubberBand.startY, x, y);
        rubberBand.purpose = Purpose::None;
        penWidth = rubberBand.savedPenWidth;
    }
    RubberBandOutcome outcome = RubberBandOutcome::None;
    auto runOn = [&](const std::function<void(const CellRect&)>& action) {
        if (rect.empty()) {
            outcome = RubberBandOutcome::ZeroArea;
            return;
        }
        if (action) action(rect);
        outcome = RubberBandOutcome::Done;
    };
    if (purpose == Purpose::Subset) {
        outcome = subset(rect, reporter) ? RubberBandOutcome::Done : RubberBandOutcome::ZeroArea;
        if (outcome == RubberBandOutcome::Done) subsetRequest = false;
    }
    if (purpose == Purpose::ClipText) runOn(hooks.clicks.clipText);
    if (drawElevationEnabled && hooks.clicks.drawElevation) hooks.clicks.drawElevation(x, y);
    if (purpose == Purpose::InterpolateSubset) runOn(hooks.clicks.interpolateSubset);
    return outcome;
}

CellRect GraphicsModel::cellRect(int x1, int y1, int x2, int y2) const
{
    auto cell = [this](int v, int limit) { return std::clamp(v / zoomFactor, 0, limit); };
    const int c1 = cell(x1, imageColumns()), c2 = cell(x2, imageColumns());
    const int r1 = cell(y1, imageRows()), r2 = cell(y2, imageRows());
    return {std::min(r1, r2), std::min(c1, c2), std::abs(r1 - r2), std::abs(c1 - c2)};
}

std::optional<TileReadout> GraphicsModel::tileReadoutAt(int x, int y) const
{
    if (!(demTileLoaded || erTileLoaded) || !holdsContent()) return std::nullopt;
    TileReadout out;
    out.column = x / zoomFactor;
    out.row = y / zoomFactor;
    const double width = double(imageColumns()) * zoomFactor, height = double(imageRows()) * zoomFactor;
    if (readoutFromRaster && raster && raster->geoTransform) {
        const auto& t = *raster->geoTransform;   // x and y in the raster's own coordinates
        const double col = double(x) / zoomFactor, row = double(y) / zoomFactor;
        out.longitude = t[0] + col * t[1] + row * t[2];
        out.latitude = t[3] + col * t[4] + row * t[5];
    } else if (demTileLoaded) {
        out.longitude = tileLongitude + x / width;
        out.latitude = tileLatitude + (height - y) / height;
    } else {
        // An ER tile spans 1.5 degrees of longitude and 1 degree of latitude.
        out.longitude = erCornerLongitude + 1.5 * x / width;
        out.latitude = erCornerLatitude + (height - y) / height;
    }
    if (out.column >= 1 && out.column < imageColumns() && out.row >= 1 && out.row < imageRows())
        out.value = imageArray(out.row, out.column);
    return out;
}

bool GraphicsModel::subset(const CellRect& rect, Reporter& reporter)
{
    reporter.log(" ");
    reporter.log("X1 is:  " + std::to_string(rect.left));
    reporter.log("Y1 is:  " + std::to_string(rect.top));
    reporter.log("X2 is:  " + std::to_string(std::int64_t(rect.left) + rect.columns));
    reporter.log("Y2 is:  " + std::to_string(std::int64_t(rect.top) + rect.rows));
    reporter.log(" ");
    if (!rect.inside(imageRows(), imageColumns())) return false;
    IntGrid part(rect.rows, rect.columns);
    for (int r = 0; r < rect.rows; ++r)
        std::copy_n(imageArray.row(rect.top + r) + rect.left, rect.columns, part.row(r));
    imageArray = std::move(part);
    elevationArray = imageArray;   // any difference between the two arrays is lost
    refresh();
    if (hooks.contentReplaced) hooks.contentReplaced();
    return true;
}
