// The graphics window's Contour Interpolation menu: contour line tagging with
// the "Elevation Control Panel", the elevation query ("Show Elevation") and the
// digitiser ("DigitizeContour"). Their clicks on the picture are MapTools'.
#include "graphics/GraphicsWindow.h"

#include "graphics/ContourCommands.h"
#include "graphics/ElevationControlPanel.h"
#include "graphics/MapTools.h"

void GraphicsWindow::TagSetElevation1Click()
{
    ElevationControlPanel& panel = *mapTools().windows().elevationPanel;
    panel.show();
    panel.raise();
    panel.selectTagAndShowDisabled();
}

void GraphicsWindow::TagLinesEnabled1Click() { mapTools().windows().elevationPanel->selectTag(true); }
void GraphicsWindow::TagLinesDisabled1Click() { mapTools().windows().elevationPanel->selectTag(false); }
void GraphicsWindow::ShowElevationEnabled1Click() { mapTools().windows().elevationPanel->selectShow(true); }
void GraphicsWindow::ShowElevationDisabled1Click() { mapTools().windows().elevationPanel->selectShow(false); }

void GraphicsWindow::DigitizeContourEnabled1Click()
{
    model_.digitiseEnabled = true;
}

void GraphicsWindow::DigitizeContourDisabled1Click()
{
    contourcmd::disableDigitiser(model_);
}
