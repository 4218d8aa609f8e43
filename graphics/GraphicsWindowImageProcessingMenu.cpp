// The graphics window's Image Processing menu: the colour filters and
// binarisation, the pixel and line-scan queries, the array operations,
// thinning, despeckle, patterns, edges, line cleaning, "Classify Pixels" and
// the zoom. Each member shows its dialog (whose Submit runs the command, see
// MapTools) or runs the command of ImageCommands / ContourCommands.
#include "graphics/GraphicsWindow.h"

#include "app/core/Reporter.h"
#include "graphics/ImageCommands.h"
#include "graphics/ImageDialogs.h"
#include "graphics/MapTools.h"
#include "ui/EntryDialog.h"
#include "ui/ErrorWindow.h"

// --- Filter -----------------------------------------------------------------

void GraphicsWindow::FilterValues1Click()
{
    mapTools().windows().filterValues->showModal();
}

void GraphicsWindow::FilterRange1Click()
{
    if (mapTools().windows().filterLimits->showModal() != QDialog::Accepted) return;
    if (!model_.rangeTargetReference) {
        imagecmd::rangeFilter(model_);
        return;
    }
    IntGrid picture = mapTools().referencePicture();
    if (picture.empty()) return;
    imagecmd::rangeFilterReference(model_, picture);
    mapTools().showReferencePicture(picture);
}

void GraphicsWindow::RedGreenBlueByteFilter1Click()
{
    mapTools().windows().byteFilter->showModal();
}

void GraphicsWindow::LowPassFilter1Click()
{
    imagecmd::lowPass(model_);
}

void GraphicsWindow::UnsharpMask1Click()
{
    mapTools().windows().unsharpMask->showModal();
}

void GraphicsWindow::HighPassFilter1Click()
{
    // The program's high pass filter does nothing.
}

// --- Binarize, Negative Image, Grayscale, queries ----------------------------

void GraphicsWindow::Binarize1Click()
{
    EntryDialog& background = *mapTools().windows().backgroundColor;
    background.apply = [this](const std::vector<double>& v, const QStringList&) {
        model_.backgroundColour = std::int32_t(v[0]);
        imagecmd::binarize(model_, model_.backgroundColour);
        setBinarized(true);
    };
    background.showModal();
}

void GraphicsWindow::NegativeImage1Click()
{
    imagecmd::negativeImage(model_);
}

void GraphicsWindow::Grayscale1Click()
{
    if (!model_.demTileLoaded) imagecmd::grayscalePicture(model_);
    else if (plugins.grayscaleTile) plugins.grayscaleTile();
}

void GraphicsWindow::QueryPixelValueEnabled1Click() { model_.queryPixelEnabled = true; }
void GraphicsWindow::QueryPixelValueDisabled1Click() { model_.queryPixelEnabled = false; }
void GraphicsWindow::LineScanValueEnabled1Click() { model_.lineScanEnabled = true; }
void GraphicsWindow::LineScanValueDisable1Click() { model_.lineScanEnabled = false; }

// --- Array Operations -------------------------------------------------------

void GraphicsWindow::SubtractArrays1Click()
{
    if (!imagecmd::subtractArrays(model_, mapTools().referencePicture()))
        mapTools().windows().referenceSize->showModal();
}

void GraphicsWindow::NANDArrays1Click()
{
    EntryDialog& background = *mapTools().windows().backgroundColor;
    background.apply = [this](const std::vector<double>& v, const QStringList&) {
        model_.backgroundColour = std::int32_t(v[0]);
        if (!imagecmd::nandArrays(model_, mapTools().referencePicture()))
            mapTools().windows().referenceSize->showModal();
    };
    background.showModal();
}

void GraphicsWindow::StretchArraysContrast1Click()
{
    imagecmd::contrastStretch(model_);
}

void GraphicsWindow::StretchArraysOffset1Click()
{
    mapTools().windows().scaleFactor->showModal();
}

void GraphicsWindow::ScaleArrays1Click()
{
    repairDialogs().scaleFactor->showModal();
}

void GraphicsWindow::OffsetArrays1Click()
{
    repairDialogs().arrayOffset->showModal();
}

// --- Thinning, despeckle, patterns, edges ------------------------------------

void GraphicsWindow::Thin1Click() { imagecmd::thin(model_); }
void GraphicsWindow::Despeckle8Bit1Click() { imagecmd::despeckle8Bit(model_); }
void GraphicsWindow::Despeckle24Bit1Click() { imagecmd::despeckle24Bit(model_); }
void GraphicsWindow::BlockPattern1Click() { imagecmd::blockPattern(model_); }
void GraphicsWindow::LinePattern1Click() { imagecmd::linePattern(model_); }
void GraphicsWindow::NibblePattern1Click() { imagecmd::nibblePattern(model_); }

void GraphicsWindow::NeighborPattern1Click()
{
    mapTools().windows().pixelNeighbor->showModal();
}

void GraphicsWindow::RemoveWebEnabled1Click() { model_.removeWebEnabled = true; }
void GraphicsWindow::RemoveWebDisabled1Click() { model_.removeWebEnabled = false; }
void GraphicsWindow::SobelTrailing1Click() { imagecmd::sobel(model_, SobelMode::Trailing); }
void GraphicsWindow::SobelLeadingAndTrailing1Click() { imagecmd::sobel(model_, SobelMode::LeadingAndTrailing); }
void GraphicsWindow::LaplacianLeadingAndTrailing1Click() { imagecmd::laplacian(model_); }

// --- Clean Image, Classify Pixels, Zoom --------------------------------------

void GraphicsWindow::ConnectLines1Click()
{
    mapTools().windows().searchRadius->showModal();
}

void GraphicsWindow::DeleteShortSegments1Click()
{
    mapTools().windows().pixelLimit->showModal();
}

void GraphicsWindow::ClassifyPixels1Click()
{
    if (plugins.classifyPixels) plugins.classifyPixels();
}

void GraphicsWindow::ZoomIn1Click()
{
    if (!model_.zoomIn()) reporter_.log(kZoomRefusedLine);
}

void GraphicsWindow::ZoomOut1Click()
{
    model_.zoomOut();
}
