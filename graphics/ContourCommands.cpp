#include "graphics/ContourCommands.h"

#include "graphics/Digitiser.h"
#include "graphics/ImageCommands.h"

#include <algorithm>

namespace contourcmd {

int connectLines(GraphicsModel& g, Reporter& reporter)
{
    g.saveUndo();
    const int joins = ::connectLines(g.elevationArray, g.tools.searchRadius, g.tools.searchOrder, reporter);
    g.showArray(g.elevationArray, DisplayCode::Grey);
    return joins;
}

std::size_t deleteShortSegments(GraphicsModel& g, Reporter& reporter)
{
    g.saveUndo();
    const std::size_t deleted = ::deleteShortSegments(g.elevationArray, g.tools.pixelLimit, reporter);
    g.showArray(g.elevationArray, DisplayCode::Grey);
    return deleted;
}

bool removeWebAt(GraphicsModel& g, int x, int y, Reporter& reporter)
{
    const std::uint32_t shown = g.display.contains(y, x) ? rgbOf(g.display(y, x)) : 0xFFFFFFu;
    const bool changed = removeWebClick(g.imageArray, {x, y}, g.zoomFactor, shown, [&] { g.saveUndo(); }, reporter);
    g.refresh();
    return changed;
}

bool removeWebFromWork(GraphicsModel& g, int x, int y, bool lineCode, Reporter& reporter)
{
    const IntGrid before = g.imageArray;
    if (!removeWebAt(g, x, y, reporter)) return false;
    const std::int32_t blank = blankedElevation(lineCode);
    for (int r = 0; r < before.rows(); ++r)
        for (int c = 0; c < before.cols(); ++c)
            if (before(r, c) != g.imageArray(r, c) && g.elevationArray.contains(r, c)) g.elevationArray(r, c) = blank;
    if (g.elevationMode) g.render(g.elevationArray);
    return true;
}

void clipText(GraphicsModel& g, const CellRect& rect, bool lineCode)
{
    if (rect.empty()) return;
    g.saveUndo();
    const int z = g.zoomFactor;
    const ScreenPoint a{rect.left * z, rect.top * z};
    const ScreenPoint b{(rect.left + rect.columns) * z, (rect.top + rect.rows) * z};
    ::clipText(g.imageArray, g.elevationArray, a, b, z, lineCode);
    if (g.elevationMode) g.render(g.elevationArray);
    else g.refresh();
}

TagOutcome tagAt(GraphicsModel& g, int x, int y, MouseButton button, Reporter& reporter)
{
    return ::tagAt(x, y, button, g.display, g.zoomFactor, g.elevationArray, g.tagging, [&] { g.saveUndo(); },
                   reporter);
}

ElevationClick showElevationAt(const GraphicsModel& g, int x, int y, Reporter& reporter)
{
    ElevationClick click;
    const Cell cell = g.cellAt(x, y);
    click.inside = x >= 0 && y >= 0 && g.elevationArray.contains(cell.row, cell.col);
    if (click.inside) click.query = ::showElevationAt(x, y, g.zoomFactor, g.elevationArray, reporter);
    return click;
}

bool digitiseAt(GraphicsModel& g, int x, int y)
{
    if (!g.tools.digitiser.click({x, y})) return false;
    // The cross: each pixel not already in the pen colour, drawn zoomFactor wide.
    const std::uint32_t pen = std::uint32_t(swapRedBlue(g.penColor));
    const std::uint32_t marker = 0xFF000000u | std::uint32_t(swapRedBlue(g.tools.markerColour));
    const int w = std::max(1, int(g.zoomFactor)), before = (w - 1) / 2;
    for (const ScreenPoint p : markerCrossPixels({x, y})) {
        if (!g.display.contains(p.y, p.x) || rgbOf(g.display(p.y, p.x)) == pen) continue;
        for (int py = p.y - before; py < p.y - before + w; ++py)
            for (int px = p.x - before; px < p.x - before + w; ++px)
                if (g.display.contains(py, px)) g.display(py, px) = marker;
    }
    g.changed();
    return true;
}

void drawDigitisedLine(GraphicsModel& g, bool lineCode)
{
    g.saveUndo();
    drawDigitisedPolyline(g.tools.digitiser, g.elevationArray, g.imageArray, g.zoomFactor, g.penColor, lineCode);
    if (lineCode) g.render(g.elevationArray);
    else g.refresh();
}

void disableDigitiser(GraphicsModel& g)
{
    g.digitiseEnabled = false;
    g.tools.digitiser.clear();
}

void setDrawElevation(GraphicsModel& g, std::int32_t elevation, Reporter& reporter)
{
    g.tools.drawElevationValue = elevation;
    g.tools.savedPenColour = g.penColor;
    g.penColor = elevationPenColour(elevation, reporter);
}

void enableDrawElevation(GraphicsModel& g, bool enabled)
{
    g.drawElevationEnabled = enabled;
    if (!enabled) g.penColor = g.tools.savedPenColour;
}

void drawElevationAt(GraphicsModel& g, int x, int y)
{
    g.setDisplayPixel(x, y, g.penColor);
}

} // namespace contourcmd
