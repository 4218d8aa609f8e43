#include "graphics/ImageCommands.h"

#include "graphics/ColourFilters.h"
#include "graphics/Thinning.h"

namespace imagecmd {
namespace {

/// The common shape of a command with undo: save the undo copies, change imageArray, show it.
template <class Op>
void onImage(GraphicsModel& g, Op&& op)
{
    g.saveUndo();
    op(g.imageArray);
    g.refresh();
}

RangeFilter currentRange(const GraphicsModel& g)
{
    RangeFilter f = g.tools.rangeFilter;
    f.background = g.replacementColour;
    return f;
}

} // namespace

void valueFilter(GraphicsModel& g)
{
    onImage(g, [&](IntGrid& image) {
        ::valueFilter(image, g.filterValues, g.replacementColour, g.tools.valueToggle);
    });
}

void rangeFilter(GraphicsModel& g)
{
    onImage(g, [&](IntGrid& image) { ::rangeFilter(image, currentRange(g)); });
}

void rangeFilterReference(const GraphicsModel& g, IntGrid& reference)
{
    ::rangeFilter(reference, currentRange(g));
}

void byteScreen(GraphicsModel& g)
{
    ByteScreen screen = g.tools.byteScreen;
    screen.replacement = g.replacementColour;
    onImage(g, [&](IntGrid& image) { ::byteScreen(image, screen); });
}

void lowPass(GraphicsModel& g)
{
    onImage(g, [](IntGrid& image) { ::lowPass(image); });
}

bool unsharpMask(GraphicsModel& g, double k)
{
    if (!unsharpMultiplierValid(k)) return false;
    onImage(g, [k](IntGrid& image) { ::unsharpMask(image, k); });
    return true;
}

void binarize(GraphicsModel& g, std::int32_t background)
{
    g.saveUndo();
    ::binarise(g.imageArray, g.elevationArray, background);
    g.showArray(g.elevationArray, DisplayCode::Grey);
}

void negativeImage(GraphicsModel& g)
{
    g.saveUndo();
    ::negative(g.elevationArray, g.imageArray);
    g.showArray(g.elevationArray, DisplayCode::Grey);
}

void grayscalePicture(GraphicsModel& g)
{
    g.saveUndo();
    ::grayscale(g.elevationArray, g.imageArray);
    g.showArray(g.elevationArray, DisplayCode::Grey);
}

bool subtractArrays(GraphicsModel& g, const IntGrid& reference)
{
    if (reference.rows() != g.imageRows() || reference.cols() != g.imageColumns()) return false;
    onImage(g, [&](IntGrid& image) { subtractReference(image, reference); });
    return true;
}

bool nandArrays(GraphicsModel& g, const IntGrid& reference)
{
    if (reference.rows() != g.imageRows() || reference.cols() != g.imageColumns()) return false;
    onImage(g, [&](IntGrid& image) { nandReference(image, reference, g.backgroundColour); });
    return true;
}

void contrastStretch(GraphicsModel& g)
{
    ::contrastStretch(g.imageArray);   // no undo
    g.refresh();
}

void stretchOffset(GraphicsModel& g, float factor)
{
    onImage(g, [factor](IntGrid& image) { multiplyValues(image, factor); });
}

bool thin(GraphicsModel& g)
{
    // The iteration works on the displayed picture, so one picture pixel must be one cell.
    if (g.zoomFactor != 1 || !g.holdsContent()) return false;
    g.saveUndo();
    const bool deleted = thinIteration(g.display);
    readBackThinned(g.display, g.imageArray, g.elevationArray);
    g.refresh();
    return deleted;
}

void showLineCode(GraphicsModel& g)
{
    if (g.elevationMode) g.render(g.elevationArray);
    else g.showArray(g.elevationArray, DisplayCode::Grey);
}

void despeckle8Bit(GraphicsModel& g)
{
    g.saveUndo();
    despeckle8(g.elevationArray);
    showLineCode(g);
}

void despeckle24Bit(GraphicsModel& g)
{
    onImage(g, [&](IntGrid& image) { despeckle24(image, g.tools.queryHistory.lastQueried); });
}

void blockPattern(GraphicsModel& g)
{
    onImage(g, [](IntGrid& image) { ::blockPattern(image); });
}

void linePattern(GraphicsModel& g)
{
    onImage(g, [](IntGrid& image) { ::linePattern(image); });
}

void nibblePattern(GraphicsModel& g)
{
    onImage(g, [](IntGrid& image) { ::nibblePattern(image); });
}

void neighborPattern(GraphicsModel& g, int count)
{
    onImage(g, [count](IntGrid& image) { neighbourPattern(image, count); });
}

void sobel(GraphicsModel& g, SobelMode mode)
{
    ::sobel(g.imageArray, mode);   // no undo
    g.refresh();
}

void laplacian(GraphicsModel& g)
{
    laplacian5x5(g.imageArray);   // no undo
    g.refresh();
}

std::optional<std::int32_t> queryPixelAt(GraphicsModel& g, int x, int y, Reporter& reporter)
{
    const Cell cell = g.cellAt(x, y);
    auto colour = queryPixel(g.imageArray, cell.row, cell.col, g.tools.queryHistory, reporter);
    if (colour) g.replacementColour = *colour;
    return colour;
}

bool lineScanAt(const GraphicsModel& g, int x, int y, Reporter& reporter)
{
    if (g.zoomFactor != 1 || !g.display.contains(y, x)) return false;
    lineScanQuery(rgbOf(g.display(y, x)), reporter);
    return true;
}

} // namespace imagecmd
