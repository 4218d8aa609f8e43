// The graphics window's Graphics menu: the drawing tools and their "Tool
// Palette", "Set Elevation" and "Draw Elevation" of elevation drawing, and
// "Clip Text".
#include "graphics/GraphicsWindow.h"

#include "graphics/ContourCommands.h"
#include "graphics/ElevationControlPanel.h"
#include "graphics/GraphicsDialogs.h"
#include "graphics/ImageDialogs.h"
#include "graphics/MapTools.h"
#include "graphics/PictureView.h"
#include "ui/EntryDialog.h"
#include "ui/Modal.h"

void GraphicsWindow::chooseTool(bool draw, bool erase)
{
    model_.drawTool = draw;
    model_.eraseTool = erase;
    // Choosing a tool turns tagging and the elevation query off.
    model_.tagMode = false;
    model_.showElevationEnabled = false;
    if (mapTools_) mapTools_->windows().elevationPanel->selectTagAndShowDisabled();
    view_->setCursor(draw || erase ? Qt::CrossCursor : Qt::ArrowCursor);
}

void GraphicsWindow::Draw1Click() { chooseTool(true, false); }
void GraphicsWindow::Erase1Click() { chooseTool(false, true); }
void GraphicsWindow::Pointer1Click() { chooseTool(false, false); }

void GraphicsWindow::PenWidth1Click()
{
    if (modal::exec(toolPalletteDialog()) == QDialog::Accepted) model_.penWidth = toolPalletteDialog().penWidth();
}

void GraphicsWindow::PenColor1Click()
{
    if (modal::exec(penColorDialog()) == QDialog::Accepted) model_.penColor = penColorDialog().penColor();
}

void GraphicsWindow::MarkerColor1Click()
{
    MarkerColorDialog& marker = *mapTools().windows().markerColor;
    if (modal::exec(marker) == QDialog::Accepted) model_.tools.markerColour = marker.markerColor();
}

void GraphicsWindow::SetElevation1Click()
{
    mapTools().windows().elevationDialog->showModal();
}

void GraphicsWindow::DrawElevationEnabled1Click()
{
    contourcmd::enableDrawElevation(model_, true);
}

void GraphicsWindow::DrawElevationDisabled1Click()
{
    contourcmd::enableDrawElevation(model_, false);
}

void GraphicsWindow::ClipTextEnabled1Click()
{
    model_.clipTextRequest = true;
}

void GraphicsWindow::ClipTextDisabled1Click()
{
    model_.clipTextRequest = false;
}
