// The displayed picture of the graphics window: rendering the arrays, zoom by
// pixel replication and decimation, Copy Bitmap and freehand drawing.
//
// The display is always the arrays' picture magnified by zoomFactor (a power
// of two): Zoom In replaces every pixel by a 2 x 2 block, Zoom Out keeps pixel
// (2r, 2c) of every 2 x 2 block; neither touches the arrays. Drawing changes
// only the display; Copy Bitmap reduces it back to the arrays' size (every
// zoomFactor-th pixel of each row and column) and stores its colours.
#include "graphics/GraphicsModel.h"

#include "app/core/GridOps.h"
#include "graphics/Digitiser.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

bool fits(std::int64_t rows, std::int64_t cols)
{
    return rows <= kMaxDisplaySide && cols <= kMaxDisplaySide && rows * cols <= kMaxDisplayPixels;
}

std::uint32_t pixelOf(std::int32_t v, DisplayCode code)
{
    switch (code) {
    case DisplayCode::Elevation: return kOpaque | elevationColour(v);
    case DisplayCode::Grey: return kOpaque | (std::uint32_t(v) & 0xFFu) * 0x010101u;
    case DisplayCode::Colour: break;
    }
    return kOpaque | (std::uint32_t(v) & 0xFFFFFFu);
}

} // namespace

Picture GraphicsModel::magnified(const Picture& p, int factor) const
{
    if (factor <= 1) return p;
    Picture out(p.rows() * factor, p.cols() * factor);
    for (int r = 0; r < p.rows(); ++r) {
        const std::uint32_t* src = p.row(r);
        std::uint32_t* first = out.row(r * factor);
        for (int c = 0; c < p.cols(); ++c) std::fill_n(first + std::size_t(c) * std::size_t(factor), factor, src[c]);
        for (int k = 1; k < factor; ++k) std::copy_n(first, out.cols(), out.row(r * factor + k));
    }
    return out;
}

void GraphicsModel::fitZoomToPicture(int rows, int columns)
{
    // A picture too large at the present magnification is shown at a smaller one.
    while (zoomCount > 0 && !fits(std::int64_t(rows) * zoomFactor, std::int64_t(columns) * zoomFactor)) {
        --zoomCount;
        timerIntervalMs *= zoomFactor;
        zoomFactor /= 2;
        penWidth = zoomFactor;
    }
}

void GraphicsModel::showArray(const IntGrid& array, DisplayCode code)
{
    if (!interactive) return;   // nothing is shown
    fitZoomToPicture(array.rows(), array.cols());
    const int z = zoomFactor;
    Picture out(array.rows() * z, array.cols() * z);
    for (int r = 0; r < array.rows(); ++r) {
        const std::int32_t* src = array.row(r);
        std::uint32_t* first = out.row(r * z);
        if (z == 1) {
            for (int c = 0; c < array.cols(); ++c) first[c] = pixelOf(src[c], code);
            continue;
        }
        for (int c = 0; c < array.cols(); ++c)
            std::fill_n(first + std::size_t(c) * std::size_t(z), z, pixelOf(src[c], code));
        for (int k = 1; k < z; ++k) std::copy_n(first, out.cols(), out.row(r * z + k));
    }
    display = std::move(out);
    changed();
}

void GraphicsModel::render(const IntGrid& array)
{
    if (elevationMode) showArray(array, DisplayCode::Elevation);
    else showArray(imageArray, DisplayCode::Colour);
}

void GraphicsModel::refresh()
{
    showArray(imageArray, DisplayCode::Colour);
}

bool GraphicsModel::zoomIn()
{
    if (!fits(std::int64_t(display.rows()) * 2, std::int64_t(display.cols()) * 2)) return false;
    display = magnified(display, 2);
    ++zoomCount;
    zoomFactor *= 2;
    penWidth = zoomFactor;
    timerIntervalMs /= zoomFactor;
    changed();
    return true;
}

bool GraphicsModel::zoomOut()
{
    if (zoomCount <= 0) return false;
    Picture out(display.rows() / 2, display.cols() / 2);
    for (int r = 0; r < out.rows(); ++r) {
        const std::uint32_t* src = display.row(2 * r);
        std::uint32_t* dst = out.row(r);
        for (int c = 0; c < out.cols(); ++c) dst[c] = src[2 * c];
    }
    display = std::move(out);
    --zoomCount;
    timerIntervalMs *= zoomFactor;
    zoomFactor /= 2;
    penWidth = zoomFactor;
    changed();
    return true;
}

void GraphicsModel::copyBitmap()
{
    const int z = zoomFactor;
    Picture small(display.rows() / z, display.cols() / z);
    for (int r = 0; r < small.rows(); ++r) {
        const std::uint32_t* src = display.row(r * z);
        std::uint32_t* dst = small.row(r);
        for (int c = 0; c < small.cols(); ++c) dst[c] = src[std::size_t(c) * std::size_t(z)];
    }
    const int R = std::min(small.rows(), imageRows()), C = std::min(small.cols(), imageColumns());
    for (int r = 0; r < R; ++r)
        for (int c = 0; c < C; ++c) {
            const std::int32_t colour = std::int32_t(small(r, c) & 0xFFFFFFu);
            imageArray(r, c) = colour;
            elevationArray(r, c) = !elevationMode ? colour : colour == 0xFFFFFF ? 255 : colour / 599;
        }
    display = magnified(small, z);
    changed();
}

void GraphicsModel::drawTo(int x, int y)
{
    if ((drawTool || eraseTool) && !display.empty()) {
        std::int32_t screen = eraseTool ? 0xFFFFFF : (penColor & 0xFFFFFF) == 0xFFFFFF ? 0 : penColor;
        const std::uint32_t colour = kOpaque | std::uint32_t(swapRedBlue(screen) & 0xFFFFFF);
        const int w = std::max(1, int(penWidth));
        const int before = (w - 1) / 2;
        gridops::bresenham(penX, penY, x, y, [&](int px, int py) {
            const int r0 = std::max(0, py - before), r1 = std::min(display.rows(), py - before + w);
            const int c0 = std::max(0, px - before), c1 = std::min(display.cols(), px - before + w);
            for (int r = r0; r < r1; ++r) std::fill(display.row(r) + c0, display.row(r) + std::max(c0, c1), colour);
        });
        changed();
    }
    penX = x;
    penY = y;
}

void GraphicsModel::setDisplayPixel(int x, int y, std::int32_t screenColour)
{
    if (!display.contains(y, x)) return;
    display(y, x) = kOpaque | std::uint32_t(swapRedBlue(screenColour) & 0xFFFFFF);
    changed();
}
