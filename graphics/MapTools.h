// The scanned-map tools the graphics window holds: the dialogs of the colour
// filters and binarisation, thinning and patterns, line cleaning, contour
// tagging with the "Elevation Control Panel", and the digitiser and elevation
// drawing, and the tools' clicks on the picture. Each dialog stores its values
// in the model and runs the command of ImageCommands / ContourCommands; the
// window's menu members show the dialogs.
//
// The window registry creates the dialogs in their places of the program's
// window order and hands them over; any left out are created here.
#pragma once

#include "app/core/Grid.h"

#include <QObject>
#include <QPointer>
#include <functional>

class ByteFilterDialog;
class ElevationControlPanel;
class EntryDialog;
class ErrorWindow;
class FilterLimitsDialog;
class FilterValuesDialog;
class GraphicsWindow;
class MarkerColorDialog;
class PixelNeighborDialog;
class QThread;
class Reporter;
class SearchRadiusDialog;

struct MapToolWindows {
    ElevationControlPanel* elevationPanel = nullptr;
    FilterValuesDialog* filterValues = nullptr;
    FilterLimitsDialog* filterLimits = nullptr;
    ByteFilterDialog* byteFilter = nullptr;
    MarkerColorDialog* markerColor = nullptr;
    EntryDialog* backgroundColor = nullptr;   ///< "Binarize" and "NAND Arrays"
    PixelNeighborDialog* pixelNeighbor = nullptr;
    ErrorWindow* referenceSize = nullptr;     ///< Subtract and NAND with pictures of different sizes
    SearchRadiusDialog* searchRadius = nullptr;
    EntryDialog* scaleFactor = nullptr;       ///< "Scale Factor Dialog Box"
    EntryDialog* unsharpMask = nullptr;
    EntryDialog* pixelLimit = nullptr;
    EntryDialog* elevationDialog = nullptr;
};

/// The reference picture of the "Reference Image" window, as colours.
struct ReferencePicture {
    /// The picture (empty when none is loaded).
    std::function<IntGrid()> get;
    /// Redraws the window with a changed picture.
    std::function<void(const IntGrid&)> show;
};

class MapTools : public QObject {
    Q_OBJECT
public:
    MapTools(GraphicsWindow& window, Reporter& reporter, MapToolWindows windows, ReferencePicture reference);
    ~MapTools() override;

    const MapToolWindows& windows() const { return w_; }
    /// The "Reference Image" window's picture (empty when none is loaded).
    IntGrid referencePicture() const;
    /// Redraws the "Reference Image" window with a changed picture.
    void showReferencePicture(const IntGrid& picture);
    /// Selects "Tag Disabled" and "Show Disabled" on the "Elevation Control Panel" and closes it.
    void closeElevationControlPanel();
    /// The single beep of a tag query, a digitiser point and an elevation pixel.
    void beep();
    int beeps = 0;   ///< beeps sounded so far

private:
    void connectImageDialogs();
    void connectContourDialogs();
    void connectClicks();
    void startConnectThread();
    void runConnectLines();

    GraphicsWindow& window_;
    Reporter& reporter_;
    MapToolWindows w_;
    ReferencePicture reference_;
    QPointer<QThread> connectThread_;
};
