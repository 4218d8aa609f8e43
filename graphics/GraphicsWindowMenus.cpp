// The graphics window's menu tree with the program's captions, and its enabling rules.
// Entries without a slot belong to tools that plug in later through wire(); until then
// they are shown disabled. The comment of each group names the tool that wires it.
#include "graphics/GraphicsWindow.h"

#include "app/core/Reporter.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <set>

namespace {

using Slot = void (GraphicsWindow::*)();

struct MenuEntry {
    const char* menu;        ///< submenu path, levels separated by '/'
    const char* caption;
    const char* objectName;
    Slot slot;               ///< nullptr: wired later
};

using W = GraphicsWindow;

const MenuEntry kEntries[] = {
    {"File", "Input Data", "actionInputData", &W::InputData1Click},
    {"File", "Close", "actionClose", nullptr},   // connected in createMenus (it reports its outcome)
    {"File", "Save Graphics Image", "actionSaveGraphicsImage", &W::SaveGraphicsImage1Click},
    {"File", "Save SRTM Grayscale Image", "actionSaveSrtmGrayscaleImage", &W::SaveSRTMGrayscaleImage1Click},
    {"File", "Save Elevation Array", "actionSaveElevationArray", &W::SaveElevationArray1Click},
    {"File", "Save Index Array", "actionSaveIndexArray", &W::SaveIndexArray1Click},
    {"File", "Save SRTM Heightfield", "actionSaveSrtmHeightfield", nullptr},   // SRTM tile writer
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
    {"Graphics/Tool Palette", "Marker Color", "actionMarkerColor", nullptr},
    {"Graphics", "Set Elevation", "actionSetDrawElevation", nullptr},
    {"Graphics/Draw Elevation", "Enabled", "actionDrawElevationEnabled", nullptr},
    {"Graphics/Draw Elevation", "Disabled", "actionDrawElevationDisabled", nullptr},
    // Line cleaning
    {"Graphics/Clip Text", "Enabled", "actionClipTextEnabled", nullptr},
    {"Graphics/Clip Text", "Disabled", "actionClipTextDisabled", nullptr},

    // Colour filters and binarisation
    {"Image Processing/Filter", "Values", "actionFilterValues", nullptr},
    {"Image Processing/Filter", "Range", "actionFilterRange", nullptr},
    {"Image Processing/Filter", "Red Green Blue Byte Filter", "actionRgbByteFilter", nullptr},
    {"Image Processing/Filter", "Low Pass Filter", "actionLowPassFilter", nullptr},
    {"Image Processing/Filter", "Unsharp Mask", "actionUnsharpMask", nullptr},
    {"Image Processing/Filter", "High Pass Filter", "actionHighPassFilter", nullptr},
    {"Image Processing", "Binarize", "actionBinarize", nullptr},
    {"Image Processing", "Negative Image", "actionNegativeImage", nullptr},
    // Pictures: the grey picture; tiles: the SRTM grayscale view (plugins)
    {"Image Processing", "Grayscale", "actionGrayscale", &W::Grayscale1Click},
    {"Image Processing/Query Pixel Value", "Enabled", "actionQueryPixelEnabled", nullptr},
    {"Image Processing/Query Pixel Value", "Disabled", "actionQueryPixelDisabled", nullptr},
    {"Image Processing/LineScan Value", "Enabled", "actionLineScanEnabled", nullptr},
    {"Image Processing/LineScan Value", "Disable", "actionLineScanDisable", nullptr},
    {"Image Processing/Array Operations", "Subtract Arrays", "actionSubtractArrays", nullptr},
    {"Image Processing/Array Operations", "NAND Arrays", "actionNandArrays", nullptr},
    {"Image Processing/Array Operations/Stretch Arrays", "Contrast", "actionStretchContrast", nullptr},
    {"Image Processing/Array Operations/Stretch Arrays", "Offset", "actionStretchOffset", nullptr},
    // Null data, sea level and offsets
    {"Image Processing/Array Operations", "Scale Arrays", "actionScaleArrays", nullptr},
    {"Image Processing/Array Operations", "Offset Arrays", "actionOffsetArrays", nullptr},
    // Thinning, despeckle, patterns, edges
    {"Image Processing", "Thin", "actionThin", nullptr},
    {"Image Processing", "Despeckle 8 Bit", "actionDespeckle8Bit", nullptr},
    {"Image Processing", "Despeckle 24 Bit", "actionDespeckle24Bit", nullptr},
    {"Image Processing/Pattern Recognition", "Block Pattern", "actionBlockPattern", nullptr},
    {"Image Processing/Pattern Recognition", "Line Pattern", "actionLinePattern", nullptr},
    {"Image Processing/Pattern Recognition", "Nibble Pattern", "actionNibblePattern", nullptr},
    {"Image Processing/Pattern Recognition", "Neighbor Pattern", "actionNeighborPattern", nullptr},
    // Line cleaning
    {"Image Processing/Pattern Recognition/Remove Web", "Enabled", "actionRemoveWebEnabled", nullptr},
    {"Image Processing/Pattern Recognition/Remove Web", "Disabled", "actionRemoveWebDisabled", nullptr},
    {"Image Processing/Edge Detection", "Sobel Trailing", "actionSobelTrailing", nullptr},
    {"Image Processing/Edge Detection", "Sobel Leading and Trailing", "actionSobelLeadingAndTrailing", nullptr},
    {"Image Processing/Edge Detection", "Laplacian  Leading and Trailing", "actionLaplacianLeadingAndTrailing",
     nullptr},
    {"Image Processing/Clean Image", "Connect Lines", "actionConnectLines", nullptr},
    {"Image Processing/Clean Image", "Delete Short Segments", "actionDeleteShortSegments", nullptr},
    // k-means classification
    {"Image Processing", "Classify Pixels", "actionClassifyPixels", nullptr},
    {"Image Processing/Zoom", "Zoom In", "actionZoomIn", &W::ZoomIn1Click},
    {"Image Processing/Zoom", "Zoom Out", "actionZoomOut", &W::ZoomOut1Click},

    // Contour line tagging and the Elevation Control Panel
    {"Contour Interpolation/Tag", "Set Elevation", "actionTagSetElevation", nullptr},
    {"Contour Interpolation/Tag/Tag Lines", "Enabled", "actionTagLinesEnabled", nullptr},
    {"Contour Interpolation/Tag/Tag Lines", "Disabled", "actionTagLinesDisabled", nullptr},
    {"Contour Interpolation/Show Elevation", "Enabled", "actionShowElevationEnabled", nullptr},
    {"Contour Interpolation/Show Elevation", "Disabled", "actionShowElevationDisabled", nullptr},
    // Digitiser
    {"Contour Interpolation/DigitizeContour", "Enabled", "actionDigitizeEnabled", nullptr},
    {"Contour Interpolation/DigitizeContour", "Disabled", "actionDigitizeDisabled", nullptr},

    // Null data, sea-level clipping, offsets and subset interpolation
    {"DEM Interpolation", "Set Null Data Definition", "actionSetNullDataDefinition", nullptr},
    {"DEM Interpolation", "Set Sea Level Clipping Parameters", "actionSetSeaLevelClipping", nullptr},
    {"DEM Interpolation", "Fix Sea Level Elevations", "actionFixSeaLevelElevations", nullptr},
    {"DEM Interpolation", "Offset DTED0 DEM", "actionOffsetDted0Dem", nullptr},
    {"DEM Interpolation", "Interpolate Subset Array", "actionInterpolateSubsetArray", nullptr},
    // Expand, insert and assign
    {"DEM Interpolation/Interpolate Using DTED0 or SRTM30 Data", "Expand DTED0 DEM", "actionExpandDted0Dem", nullptr},
    {"DEM Interpolation/Interpolate Using DTED0 or SRTM30 Data", "Expand SRTM30 DEM", "actionExpandSrtm30Dem",
     nullptr},
    {"DEM Interpolation/Interpolate Using DTED0 or SRTM30 Data", "Insert Expanded DTED0 or SRTM30 into SRTM-3",
     "actionInsertExpanded", nullptr},
    {"DEM Interpolation/Interpolate Using DTED0 or SRTM30 Data", "Assign Interpolated Elevations",
     "actionAssignInterpolated", nullptr},
    {"DEM Interpolation/Patch SRTM-3 using DTED1 Data", "Cut Patches from DTED1 File", "actionCutPatchesFromDted1",
     nullptr},
    {"DEM Interpolation/Patch SRTM-1 Using DTED1 Data", "Expand DTED1", "actionExpandDted1", nullptr},
    // Resample
    {"DEM Interpolation", "Resample DEM", "actionResampleDem", nullptr},
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
        if (e.slot) {
            connect(a, &QAction::triggered, this, e.slot);
            wired_.insert(e.objectName);
        }
    }
    connect(actions_["actionClose"], &QAction::triggered, this, [this] { Close1Click(); });
    wired_.insert("actionClose");
    applyEnablingRules();
}

QAction* GraphicsWindow::action(const QString& objectName) const
{
    auto it = actions_.find(objectName);
    return it == actions_.end() ? nullptr : it->second;
}

void GraphicsWindow::wire(const QString& objectName, std::function<void()> handler)
{
    QAction* a = action(objectName);
    Q_ASSERT_X(a, "GraphicsWindow::wire", qPrintable(objectName));
    if (!a) return;
    connect(a, &QAction::triggered, this, [h = std::move(handler)] { h(); });
    wired_.insert(objectName);
    applyEnablingRules();
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
        if (name == "actionGrayscale") return bool(plugins.grayscaleTile) || bool(plugins.grayscalePicture);
        if (name == "actionSaveSrtmGrayscaleImage") return bool(plugins.saveSrtmGrayscaleImage);
        if (name == "actionExpandDted1") return model_.dted1Grid.has_value();   // "Open DTED1 Merge DEM" enables it
        return true;
    };
    for (const auto& [name, a] : actions_) {
        const bool isMenu = name.startsWith("menu");
        a->setEnabled((isMenu || wired_.count(name)) && allowed(name));
    }
}
