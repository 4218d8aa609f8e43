#include "graphics/GraphicsWindowCoarsePatch.h"

#include "app/core/GridOps.h"
#include "formats/ErMapper.h"
#include "graphics/CoarsePatch.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/Resample.h"
#include "graphics/ResampleDialog.h"
#include "ui/ColourImageWindow.h"
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

void wireCoarsePatchCommands(GraphicsWindow& g, GridHandover& session, Reporter& reporter,
                             const CoarsePatchWindows& w)
{
    GraphicsModel& model = g.model();
    g.wire("actionExpandDted0Dem", [&g, &model, &session, &reporter, w] {
        if (!expandDted0(model, session, reporter)) return;
        showGrid(w.interpolatedReference, *model.expandedGrid);
        bringToFront(&g);
        bringToFront(w.dted0BaseFile);
    });
    g.wire("actionExpandSrtm30Dem", [&g, &model, &session, &reporter, w] {
        IntGrid block;
        switch (expandSrtm30(model, session, reporter, block)) {
        case Srtm30Expansion::NotHeld: return;
        case Srtm30Expansion::OutsideTile:
            if (w.outsideSrtm30) w.outsideSrtm30->showModal();
            return;
        case Srtm30Expansion::Expanded: break;
        }
        showGrid(w.srtm30Image, block);
        showGrid(w.interpolatedReference, *model.expandedGrid);
        bringToFront(&g);
        bringToFront(w.srtm30Image);
    });
    g.wire("actionInsertExpanded", [&model, &session, &reporter] { insertExpanded(model, session, reporter); });
    g.wire("actionAssignInterpolated", [&model, &reporter] { assignInterpolated(model, reporter); });
    g.wire("actionCutPatchesFromDted1", [&model, &reporter] { patchFromDted1(model, reporter); });
    g.wire("actionExpandDted1", [&g, &model, &reporter, w] {
        if (!expandDted1AndPatchSrtm1(model, reporter)) return;
        if (w.dted1MergeImage) w.dted1MergeImage->close();
        g.applyEnablingRules();
    });
    g.wire("actionResampleDem", [&model, &reporter, w] {
        if (!w.resample || modal::exec(*w.resample) != QDialog::Accepted) return;
        resampleTile(model, w.resample->rate(), reporter);
    });
}
