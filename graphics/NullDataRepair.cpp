#include "graphics/NullDataRepair.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "app/core/GridHandover.h"
#include "graphics/CoarsePatch.h"
#include "graphics/GraphicsModel.h"

#include <algorithm>

void setNullDataDefinition(GraphicsModel& graphics, std::int32_t value, Reporter& reporter)
{
    graphics.nullDataDefinition = value;
    reporter.log("nullDataDefinition is:  " + std::to_string(value));
}

void setSeaLevelLimits(GraphicsModel& graphics, std::int32_t lower, std::int32_t upper, Reporter& reporter)
{
    graphics.seaLevelLower = lower;
    graphics.seaLevelUpper = upper;
    reporter.log("seaLevelLower is:  " + std::to_string(lower));
    reporter.log("seaLevelUpper is:  " + std::to_string(upper));
}

void setDted0Offset(GraphicsModel& graphics, std::int32_t offset, Reporter& reporter)
{
    graphics.dted0Offset = offset;
    reporter.log("dted0Offset is:  " + std::to_string(offset));
    addDted0Offset(graphics, offset);   // a held DTED0 grid receives it; each Submit adds it again
}

namespace {

/// Saves the undo copies, applies f to every value of both arrays, refreshes.
template <class F>
void changeBothArrays(GraphicsModel& graphics, F f)
{
    graphics.saveUndo();
    for (IntGrid* array : {&graphics.elevationArray, &graphics.imageArray})
        for (std::int32_t& v : array->cells()) v = f(v);
    graphics.refresh();
}

} // namespace

void fixSeaLevelElevations(GraphicsModel& graphics)
{
    graphics.saveUndo();
    const std::int32_t lower = graphics.seaLevelLower, upper = graphics.seaLevelUpper;
    auto elevations = graphics.elevationArray.cells();
    auto image = graphics.imageArray.cells();
    for (std::size_t i = 0; i < elevations.size() && i < image.size(); ++i) {
        if (elevations[i] >= lower && elevations[i] <= upper) {
            elevations[i] = 0;
            image[i] = 0;
        }
    }
    graphics.refresh();
}

void scaleArrays(GraphicsModel& graphics, double factor, Reporter& reporter)
{
    graphics.scaleFactor = factor;
    reporter.log("scaleFactor is:  " + formatReal(factor));
    changeBothArrays(graphics, [factor](std::int32_t v) { return gridops::truncToInt(v * factor); });
}

void offsetArrays(GraphicsModel& graphics, double offset, Reporter& reporter)
{
    graphics.arrayOffset = offset;
    reporter.log("arrayOffset is:  " + formatReal(offset));
    changeBothArrays(graphics, [offset](std::int32_t v) { return gridops::truncToInt(v + offset); });
}

bool storeSubsetForInterpolation(GraphicsModel& graphics, const CellRect& rect, GridHandover& session)
{
    if (!rect.inside(graphics.imageRows(), graphics.imageColumns())) return false;
    IntGrid block(rect.rows, rect.columns);
    const bool tile = graphics.holdsTile();
    for (int r = 0; r < rect.rows; ++r) {
        const std::int32_t* src = graphics.elevationArray.row(rect.top + r) + rect.left;
        std::int32_t* dst = block.row(r);
        for (int c = 0; c < rect.columns; ++c) dst[c] = tile ? std::max(src[c], 0) : src[c];
    }
    session.storeInputGrid(block);
    session.numberElevationRows = rect.rows;
    session.numberElevationColumns = rect.columns;
    graphics.subsetRectangle = rect;
    graphics.subsetInterpolationPending = true;
    return true;
}
