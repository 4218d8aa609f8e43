// The graphics window's DEM Interpolation menu: null data, sea-level clipping,
// the DTED0 offset and subset interpolation; expand, insert and assign
// ("Interpolate Using DTED0 or SRTM30 Data"), the DTED1 patches and "Resample
// DEM", with the windows that show their grids.
#include "graphics/GraphicsWindow.h"

#include "app/core/GridOps.h"
#include "formats/ErMapper.h"
#include "graphics/CoarsePatch.h"
#include "graphics/NullDataRepair.h"
#include "graphics/Resample.h"
#include "graphics/ResampleDialog.h"
#include "ui/ColourImageWindow.h"
#include "ui/EntryDialog.h"
#include "ui/ErrorWindow.h"
#include "ui/Modal.h"

#include <type_traits>

namespace {

/// Shows a grid's values (truncated) as colours in the window.
template <class T>
void showGrid(ColourImageWindow* window, const Grid<T>& grid)
{
    if (!window) return;
    if constexpr (std::is_same_v<T, double>) window->setPicture(rawValueColours(gridops::truncToIntGrid(grid)));
    else window->setPicture(rawValueColours(grid));
    window->show();
}

void bringToFront(QWidget* window)
{
    if (!window) return;
    window->show();
    window->raise();
}

} // namespace

// --- Null data, sea level, offsets, subsets -----------------------------------

void GraphicsWindow::SetNullDataDefinition1Click()
{
    repairDialogs().nullData->showModal();
}

void GraphicsWindow::SetSeaLevelClippingParameters1Click()
{
    repairDialogs().seaLevel->showModal();
}

void GraphicsWindow::FixSeaLevelElevations1Click()
{
    fixSeaLevelElevations(model_);
}

void GraphicsWindow::OffsetDTED0DEM1Click()
{
    repairDialogs().dted0Offset->showModal();
}

void GraphicsWindow::InterpolateSubsetArray1Click()
{
    model_.interpolateSubsetRequest = true;
}

void GraphicsWindow::interpolateSubset(const CellRect& rect)
{
    if (!storeSubsetForInterpolation(model_, rect, session_)) return;
    if (host.requestSolverParameters) host.requestSolverParameters();
    model_.refresh();
}

// --- Interpolate Using DTED0 or SRTM30 Data -----------------------------------

void GraphicsWindow::ExpandDTED0DEM1Click()
{
    if (!expandDted0(model_, session_, reporter_)) return;
    showGrid(coarsePatch_.interpolatedReference, *model_.expandedGrid);
    bringToFront(this);
    bringToFront(coarsePatch_.dted0BaseFile);
}

void GraphicsWindow::ExpandSRTM30DEM1Click()
{
    IntGrid block;
    switch (expandSrtm30(model_, session_, reporter_, block)) {
    case Srtm30Expansion::NotHeld: return;
    case Srtm30Expansion::OutsideTile:
        if (coarsePatch_.outsideSrtm30) coarsePatch_.outsideSrtm30->showModal();
        return;
    case Srtm30Expansion::Expanded: break;
    }
    showGrid(coarsePatch_.srtm30Image, block);
    showGrid(coarsePatch_.interpolatedReference, *model_.expandedGrid);
    bringToFront(this);
    bringToFront(coarsePatch_.srtm30Image);
}

void GraphicsWindow::InsertExpandedDTED0orSRTM30intoSRTM31Click()
{
    insertExpanded(model_, session_, reporter_);
}

void GraphicsWindow::AssignInterpolatedElevations1Click()
{
    assignInterpolated(model_, reporter_);
}

// --- DTED1 patches, Resample DEM ----------------------------------------------

void GraphicsWindow::CutPatchesFromDTED1File1Click()
{
    patchFromDted1(model_, reporter_);
}

void GraphicsWindow::ExpandDTED11Click()
{
    if (!expandDted1AndPatchSrtm1(model_, reporter_)) return;
    if (coarsePatch_.dted1MergeImage) coarsePatch_.dted1MergeImage->close();
    applyEnablingRules();
}

void GraphicsWindow::ResampleDEM1Click()
{
    if (!coarsePatch_.resample || modal::exec(*coarsePatch_.resample) != QDialog::Accepted) return;
    resampleTile(model_, coarsePatch_.resample->rate(), reporter_);
}
