// The graphics window's menu tree with the program's captions, each entry bound
// to its member function, and the window's enabling rules.
#include "graphics/GraphicsWindow.h"

#include "app/core/Reporter.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <set>
#include <variant>

namespace {

/// A menu member; "Close" reports whether the window closed.
using Slot = std::variant<void (GraphicsWindow::*)(), bool (GraphicsWindow::*)()>;

struct MenuEntry {
    const char* menu;        ///< submenu path, levels separated by '/'
    const char* caption;
    const char* objectName;
    Slot slot;
};

using W = GraphicsWindow;

const MenuEntry kEntries[] = {
    {"File", "Input Data", "actionInputData", &W::InputData1Click},
    {"File", "Close", "actionClose", &W::Close1Click},
    {"File", "Save Graphics Image", "actionSaveGraphicsImage", &W::SaveGraphicsImage1Click},
    {"File", "Save SRTM Grayscale Image", "actionSaveSrtmGrayscaleImage", &W::SaveSRTMGrayscaleImage1Click},
    {"File", "Save Elevation Array", "actionSaveElevationArray", &W::SaveElevationArray1Click},
    {"File", "Save Index Array", "actionSaveIndexArray", &W::SaveIndexArray1Click},
    {"File", "Save SRTM Heightfield", "actionSaveSrtmHeightfield", &W::SaveSRTMHeightfield1Click},
    {"File", "Save GeoTIFF", "actionSaveGeoTiff", &W::SaveGeoTiff1Click},

    {"Edit", "Undo", "actionUndo", &W::Undo1Click},
    {"Edit", "Copy Bitmap", "actionCopyBitmap", &W::CopyBitmap1Click},
    {"Edit", "Subset Process Image", "actionSubsetProcessImage", &W::SubsetProcessImage1Click},

    {"Graphics", "Draw", "actionDraw", &W::Draw1Click},
    {"Graphics", "Erase", "actionErase", &W::Erase1Click},
    {"Graphics", "Pointer", "actionPointer", &W::Pointer1Click},
    {"Graphics/Tool Palette", "Pen Width", "actionPenWidth", &W::PenWidth1Click},
    {"Graphics/Tool Palette", "Pen Color", "actionPenColor", &W::PenColor1Click},
    // Digitiser and elevation drawing
    {"Graphics/Tool Palette", "Marker Color", "actionMarkerColor", &W::MarkerColor1Click},
    {"Graphics", "Set Elevation", "actionSetDrawElevation", &W::SetElevation1Click},
    {"Graphics/Draw Elevation", "Enabled", "actionDrawElevationEnabled", &W::DrawElevationEnabled1Click},
    {"Graphics/Draw Elevation", "Disabled", "actionDrawElevationDisabled", &W::DrawElevationDisabled1Click},
    // Line cleaning
    {"Graphics/Clip Text", "Enabled", "actionClipTextEnabled", &W::ClipTextEnabled1Click},
    {"Graphics/Clip Text", "Disabled", "actionClipTextDisabled", &W::ClipTextDisabled1Click},

    // Colour filters and binarisation
    {"Image Processing/Filter", "Values", "actionFilterValues", &W::FilterValues1Click},
    {"Image Processing/Filter", "Range", "actionFilterRange", &W::FilterRange1Click},
    {"Image Processing/Filter", "Red Green Blue Byte Filter", "actionRgbByteFilter",
     &W::RedGreenBlueByteFilter1Click},
    {"Image Processing/Filter", "Low Pass Filter", "actionLowPassFilter", &W::LowPassFilter1Click},
    {"Image Processing/Filter", "Unsharp Mask", "actionUnsharpMask", &W::UnsharpMask1Click},
    {"Image Processing/Filter", "High Pass Filter", "actionHighPassFilter", &W::HighPassFilter1Click},
    {"Image Processing", "Binarize", "actionBinarize", &W::Binarize1Click},
    {"Image Processing", "Negative Image", "actionNegativeImage", &W::NegativeImage1Click},
    // Pictures: the grey picture; tiles: the SRTM grayscale view (plugins)
    {"Image Processing", "Grayscale", "actionGrayscale", &W::Grayscale1Click},
    {"Image Processing/Query Pixel Value", "Enabled", "actionQueryPixelEnabled", &W::QueryPixelValueEnabled1Click},
    {"Image Processing/Query Pixel Value", "Disabled", "actionQueryPixelDisabled", &W::QueryPixelValueDisabled1Click},
    {"Image Processing/LineScan Value", "Enabled", "actionLineScanEnabled", &W::LineScanValueEnabled1Click},
    {"Image Processing/LineScan Value", "Disable", "actionLineScanDisable", &W::LineScanValueDisable1Click},
    {"Image Processing/Array Operations", "Subtract Arrays", "actionSubtractArrays", &W::SubtractArrays1Click},
    {"Image Processing/Array Operations", "NAND Arrays", "actionNandArrays", &W::NANDArrays1Click},
    {"Image Processing/Array Operations/Stretch Arrays", "Contrast", "actionStretchContrast",
     &W::StretchArraysContrast1Click},
    {"Image Processing/Array Operations/Stretch Arrays", "Offset", "actionStretchOffset",
     &W::StretchArraysOffset1Click},
    // Null data, sea level and offsets
    {"Image Processing/Array Operations", "Scale Arrays", "actionScaleArrays", &W::ScaleArrays1Click},
    {"Image Processing/Array Operations", "Offset Arrays", "actionOffsetArrays", &W::OffsetArrays1Click},
    // Thinning, despeckle, patterns, edges
    {"Image Processing", "Thin", "actionThin", &W::Thin1Click},
    {"Image Processing", "Despeckle 8 Bit", "actionDespeckle8Bit", &W::Despeckle8Bit1Click},
    {"Image Processing", "Despeckle 24 Bit", "actionDespeckle24Bit", &W::Despeckle24Bit1Click},
    {"Image Processing/Pattern Recognition", "Block Pattern", "actionBlockPattern", &W::BlockPattern1Click},
    {"Image Processing/Pattern Recognition", "Line Pattern", "actionLinePattern", &W::LinePattern1Click},
    {"Image Processing/Pattern Recognition", "Nibble Pattern", "actionNibblePattern", &W::NibblePattern1Click},
    {"Image Processing/Pattern Recognition", "Neighbor Pattern", "actionNeighborPattern", &W::NeighborPattern1Click},
    // Line cleaning
    {"Image Processing/Pattern Recognition/Remove Web", "Enabled", "actionRemoveWebEnabled",
     &W::RemoveWebEnabled1Click},
    {"Image Processing/Pattern Recognition/Remove Web", "Disabled", "actionRemoveWebDisabled",
     &W::RemoveWebDisabled1Click},
    {"Image Processing/Edge Detection", "Sobel Trailing", "actionSobelTrailing", &W::SobelTrailing1Click},
    {"Image Processing/Edge Detection", "Sobel Leading and Trailing", "actionSobelLeadingAndTrailing",
     &W::SobelLeadingAndTrailing1Click},
    {"Image Processing/Edge Detection", "Laplacian  Leading and Trailing", "actionLaplacianLeadingAndTrailing",
     &W::LaplacianLeadingAndTrailing1Click},
    {"Image Processing/Clean Image", "Connect Lines", "actionConnectLines", &W::ConnectLines1Click},
    {"Image Processing/Clean Image", "Delete Short Segments", "actionDeleteShortSegments",
     &W::DeleteShortSegments1Click},
    // k-means classification
    {"Image Processing", "Classify Pixels", "actionClassifyPixels", &W::ClassifyPixels1Click},
    {"Image Processing/Zoom", "Zoom In", "actionZoomIn", &W::ZoomIn1Click},
    {"Image Processing/Zoom", "Zoom Out", "actionZoomOut", &W::ZoomOut1Click},

    // Contour line tagging and the Elevation Control Panel
    {"Contour Interpolation/Tag", "Set Elevation", "actionTagSetElevation", &W::TagSetElevation1Click},
    {"Contour Interpolation/Tag/Tag Lines", "Enabled", "actionTagLinesEnabled", &W::TagLinesEnabled1Click},
    {"Contour Interpolation/Tag/Tag Lines", "Disabled", "actionTagLinesDisabled", &W::TagLinesDisabled1Click},
    {"Contour Interpolation/Show Elevation", "Enabled", "actionShowElevationEnabled", &W::ShowElevationEnabled1Click},
    {"Contour Interpolation/Show Elevation", "Disabled", "actionShowElevationDisabled",
     &W::ShowElevationDisabled1Click},
    // Digitiser
    {"Contour Interpolation/DigitizeContour", "Enabled", "actionDigitizeEnabled", &W::DigitizeContourEnabled1Click},
    {"Contour Interpolation/DigitizeContour", "Disabled", "actionDigitizeDisabled",
     &W::DigitizeContourDisabled1Click},

    // Null data, sea-level clipping, offsets and subset interpolation
    {"DEM Interpolation", "Set Null Data Definition", "actionSetNullDataDefinition", &W::SetNullDataDefinition1Click},
    {"DEM Interpolation", "Set Sea Level Clipping Parameters", "actionSetSeaLevelClipping",
     &W::SetSeaLevelClippingParameters1Click},
    {"DEM Interpolation", "Fix Sea Level Elevations", "actionFixSeaLevelElevations", &W::FixSeaLevelElevations1Click},
    {"DEM Interpolation", "Offset DTED0 DEM", "actionOffsetDted0Dem", &W::OffsetDTED0DEM1Click},
    {"DEM Interpolation", "Interpolate Subset Array", "actionInterpolateSubsetArray",
     &W::InterpolateSubsetArray1Click},
    // Expand, insert and assign
    {"DEM Interpolation/Interpolate Using DTED0 or SRTM30 Data", "Expand DTED0 DEM", "actionExpandDted0Dem",
     &W::ExpandDTED0DEM1Click},
    {"DEM Interpolation/Interpolate Using DTED0 or SRTM30 Data", "Expand SRTM30 DEM", "actionExpandSrtm30Dem",
     &W::ExpandSRTM30DEM1Click},
    {"DEM Interpolation/Interpolate Using DTED0 or SRTM30 Data", "Insert Expanded DTED0 or SRTM30 into SRTM-3",
     "actionInsertExpanded", &W::InsertExpandedDTED0orSRTM30intoSRTM31Click},
    {"DEM Interpolation/Interpolate Using DTED0 or SRTM30 Data", "Assign Interpolated Elevations",
     "actionAssignInterpolated", &W::AssignInterpolatedElevations1Click},
    {"DEM Interpolation/Patch SRTM-3 using DTED1 Data", "Cut Patches from DTED1 File", "actionCutPatchesFromDted1",
     &W::CutPatchesFromDTED1File1Click},
    {"DEM Interpolation/Patch SRTM-1 Using DTED1 Data", "Expand DTED1", "actionExpandDted1", &W::ExpandDTED11Click},
    // Resample
    {"DEM Interpolation", "Resample DEM", "actionResampleDem", &W::ResampleDEM1Click},
};

/// "menu" followed by the caption's letters and digits ("Tool Palette" -> "menuToolPalette").
QString menuObjectName(const QString& caption)
{
    QString name = "menu";
    for (QChar ch : caption)
        if (ch.isLetterOrNumber()) name += ch;
    return name;
}

} // namespace

void GraphicsWindow::createMenus()
{
    std::map<QString, QMenu*> menus;
    auto menuFor = [&](const QString& path) {
        QMenu* parent = nullptr;
        QString sofar;
        for (const QString& level : path.split('/')) {
            sofar += (sofar.isEmpty() ? "" : "/") + level;
            QMenu*& m = menus[sofar];
            if (!m) {
                m = parent ? parent->addMenu(level) : menuBar()->addMenu(level);
                m->setObjectName(menuObjectName(level));
                m->menuAction()->setObjectName(menuObjectName(level));
                actions_[m->objectName()] = m->menuAction();
            }
            parent = m;
        }
        return parent;
    };
    for (const MenuEntry& e : kEntries) {
        QAction* a = menuFor(e.menu)->addAction(e.caption);
        a->setObjectName(e.objectName);
        actions_[e.objectName] = a;
        std::visit([&](auto slot) { connect(a, &QAction::triggered, this, slot); }, e.slot);
    }
    applyEnablingRules();
}

QAction* GraphicsWindow::action(const QString& objectName) const
{
    auto it = actions_.find(objectName);
    return it == actions_.end() ? nullptr : it->second;
}

void GraphicsWindow::setBinarized(bool binarized)
{
    binarized_ = binarized;
    applyEnablingRules();
}

void GraphicsWindow::setArraysBusy(bool busy)
{
    arraysBusy_ = busy;
    applyEnablingRules();
}

bool GraphicsWindow::refuseWhileBusy()
{
    if (arraysBusy_) reporter_.log(kArraysBusyLine);
    return arraysBusy_;
}

namespace {
/// The commands that leave both arrays as they are: available while a worker holds a copy.
bool leavesArraysAlone(const QString& name)
{
    static const std::set<QString> names = {
        "actionInputData", "actionSaveGraphicsImage", "actionSaveSrtmGrayscaleImage", "actionSaveElevationArray",
        "actionSaveIndexArray", "actionSaveSrtmHeightfield", "actionSaveGeoTiff", "actionDraw", "actionErase", "actionPointer",
        "actionPenWidth", "actionPenColor", "actionMarkerColor", "actionZoomIn", "actionZoomOut",
        "actionQueryPixelEnabled", "actionQueryPixelDisabled", "actionLineScanEnabled", "actionLineScanDisable",
        "actionShowElevationEnabled", "actionShowElevationDisabled", "actionTagSetElevation",
        "actionTagLinesDisabled"};
    return names.count(name) != 0;
}
} // namespace

void GraphicsWindow::applyEnablingRules()
{
    const bool lineCode = binarized_ || elevationsLoaded_;
    auto allowed = [&](const QString& name) {
        if (arraysBusy_ && !name.startsWith("menu") && !leavesArraysAlone(name)) return false;
        if (name == "actionZoomOut") return model_.zoomCount > 0;
        if (name == "actionSubsetProcessImage") return model_.zoomFactor < 2;
        if (name == "actionLineScanEnabled") return model_.zoomFactor <= 1;
        if (name == "menuTag" || name == "actionSaveElevationArray") return lineCode;
        if (name == "actionThin") return binarized_ && model_.zoomFactor <= 1;   // it works on the display
        if (name == "actionDespeckle8Bit" || name == "actionConnectLines" ||
            name == "actionDeleteShortSegments")
            return binarized_;
        if (name == "actionDespeckle24Bit") return !binarized_;
        if (name == "actionGrayscale") return !model_.demTileLoaded || bool(plugins.grayscaleTile);
        if (name == "actionSaveSrtmGrayscaleImage") return bool(plugins.saveSrtmGrayscaleImage);
        if (name == "actionClassifyPixels") return bool(plugins.classifyPixels);
        if (name == "actionExpandDted1") return model_.dted1Grid.has_value();   // "Open DTED1 Merge DEM" enables it
        return true;
    };
    for (const auto& [name, a] : actions_) a->setEnabled(allowed(name));
}
