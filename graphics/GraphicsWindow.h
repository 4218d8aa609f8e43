// "GRIDMEND Graphics": the graphics window, the raster workbench. It shows
// the GraphicsModel's display picture in a scroll area, carries the complete
// menu tree of the workbench and hands every command to plain code.
//
// Every menu entry is bound to its member function below (named after its
// caption, "Low Pass Filter" -> LowPassFilter1Click), defined in the file of
// its top menu: GraphicsWindowFileMenu.cpp, ...EditMenu, ...GraphicsMenu,
// ...ImageProcessingMenu, ...ContourInterpolationMenu, ...DemInterpolationMenu.
// The dialogs they show are created by the window registry in their places and
// handed over (setDialogs, setMapTools, setRepairDialogs, setCoarsePatchWindows);
// dialogs left out are created on first use, image windows left out stay unshown.
#pragma once

#include "graphics/GraphicsModel.h"
#include "graphics/GraphicsWindowRepair.h"

#include <QMainWindow>
#include <QString>
#include <functional>
#include <map>
#include <string>

class QAction;
class QColor;
class QMenu;
class QScrollArea;
class QTimer;
class ClosingGraphicsDialog;
class ColourImageWindow;
class ErrorWindow;
class MapTools;
class PenColorDialog;
class PictureView;
class Reporter;
class ResampleDialog;
class ToolPalletteDialog;
struct GridHandover;

class GraphicsWindow : public QMainWindow {
    Q_OBJECT
public:
    GraphicsWindow(GridHandover& session, Reporter& reporter, QWidget* parent = nullptr);
    ~GraphicsWindow() override;

    GraphicsModel& model() { return model_; }
    PictureView* pictureView() const { return view_; }

    /// What the window asks of the main window and of the other windows.
    struct Host {
        /// The main window's "Graphics Zoom Factor" value.
        std::function<void(int zoomFactor)> zoomLabel;
        /// Shows or hides the main window's readout labels (coordinates, elevation, zoom, longitude, latitude).
        std::function<void(bool visible)> readoutsVisible;
        /// Writes the readouts; an empty elevation leaves that label as it was.
        std::function<void(const QString& x, const QString& y, const QString& elevation, const QString& longitude,
                           const QString& latitude)>
            readout;
        /// The request-solver-parameters operation of the parameters dialog (it enables "Run Gridmend").
        std::function<bool()> requestSolverParameters;
    } host;

    /// Operations of other windows behind this window's menu entries; an entry whose
    /// operation is not set is disabled.
    struct Plugins {
        /// "Grayscale" while a tile is held: the SRTM grayscale view.
        std::function<void()> grayscaleTile;
        /// "Save SRTM Grayscale Image": writes the grayscale view's picture to the chosen path.
        std::function<bool(const std::string& path)> saveSrtmGrayscaleImage;
        /// "Classify Pixels": the classification dialog and its worker.
        std::function<void()> classifyPixels;
    } plugins;

    /// The windows of the coarse-tile repair commands under "DEM Interpolation".
    struct CoarsePatchWindows {
        ColourImageWindow* dted0BaseFile = nullptr;           ///< "DTED0 Base File"
        ColourImageWindow* interpolatedReference = nullptr;   ///< "Interpolated Reference Image"
        ColourImageWindow* srtm30Image = nullptr;             ///< "SRTM30Image"
        ColourImageWindow* dted1MergeImage = nullptr;         ///< "DTED1 Merge Image"
        ErrorWindow* outsideSrtm30 = nullptr;                 ///< "Error!": the tile lies outside the SRTM30 tile
        ResampleDialog* resample = nullptr;                   ///< "Resample Parameters"
    };

    /// The menu item with the given objectName ("actionZoomIn").
    QAction* action(const QString& objectName) const;
    /// Re-applies the enabling rules (after plugins were set).
    void applyEnablingRules();
    /// "Binarize" done (or undone by Close): the line-code commands become available.
    void setBinarized(bool binarized);
    /// elevationArray holds the line code (255 background): after "Binarize" or a load of elevations.
    bool holdsLineCode() const { return binarized_ || elevationsLoaded_; }
    /// While a worker thread works on a copy of the arrays (the k-means classification), the
    /// commands that change or close them are refused: their menu entries are disabled, and
    /// Close and the clicks that change the arrays log kArraysBusyLine instead.
    void setArraysBusy(bool busy);
    bool arraysBusy() const { return arraysBusy_; }
    /// Logs kArraysBusyLine and returns true while the arrays are busy.
    bool refuseWhileBusy();

    /// Writes text on the displayed picture at (x, y) (tag labels, elevation queries); the
    /// arrays are not touched. Start the overlay timer to have it removed.
    void writeText(int x, int y, const QString& text, const QColor& colour);
    /// Starts the timer whose tick renders the arrays again (removes text overlays).
    void startOverlayTimer();
    QTimer* overlayTimer() const { return timer_; }
    /// Sets the client area to the picture's size (within the screen).
    void fitToPicture();

    // Dialogs and tools created in their place by the window registry (or on first use).
    void setDialogs(ToolPalletteDialog* toolPallatte, PenColorDialog* penColor, ClosingGraphicsDialog* closing,
                    ErrorWindow* zeroArea);
    /// The scanned-map tools (a child of the window); their clicks on the picture are connected.
    void setMapTools(MapTools* tools);
    void setRepairDialogs(const RepairDialogs& dialogs) { repairDialogs_ = dialogs; }
    void setCoarsePatchWindows(const CoarsePatchWindows& windows) { coarsePatch_ = windows; }
    ToolPalletteDialog& toolPalletteDialog();
    PenColorDialog& penColorDialog();
    ClosingGraphicsDialog& closingDialog();
    ErrorWindow& zeroAreaWindow();
    MapTools& mapTools();
    const RepairDialogs& repairDialogs();

public slots:
    // File (GraphicsWindowFileMenu.cpp)
    void InputData1Click();
    /// Returns false when the user kept the window open.
    bool Close1Click();
    /// "Close" once confirmed (batch mode closes without asking).
    void closeWithoutAsking();
    void SaveGraphicsImage1Click();
    void SaveSRTMGrayscaleImage1Click();
    void SaveElevationArray1Click();
    void SaveIndexArray1Click();
    /// The elevation array padded to 1201 x 1201 or 3601 x 3601 (a larger one is refused with
    /// its log line before any dialog), the save dialog, the path logged, the file written.
    void SaveSRTMHeightfield1Click();
    void SaveGeoTiff1Click();
    // Edit (GraphicsWindowEditMenu.cpp)
    void Undo1Click();
    void CopyBitmap1Click();
    void SubsetProcessImage1Click();
    // Graphics (GraphicsWindowGraphicsMenu.cpp)
    void Draw1Click();
    void Erase1Click();
    void Pointer1Click();
    void PenWidth1Click();
    void PenColor1Click();
    void MarkerColor1Click();
    void SetElevation1Click();
    void DrawElevationEnabled1Click();
    void DrawElevationDisabled1Click();
    void ClipTextEnabled1Click();
    void ClipTextDisabled1Click();
    // Image Processing (GraphicsWindowImageProcessingMenu.cpp)
    void FilterValues1Click();
    void FilterRange1Click();
    void RedGreenBlueByteFilter1Click();
    void LowPassFilter1Click();
    void UnsharpMask1Click();
    void HighPassFilter1Click();
    void Binarize1Click();
    void NegativeImage1Click();
    void Grayscale1Click();
    void QueryPixelValueEnabled1Click();
    void QueryPixelValueDisabled1Click();
    void LineScanValueEnabled1Click();
    void LineScanValueDisable1Click();
    void SubtractArrays1Click();
    void NANDArrays1Click();
    void StretchArraysContrast1Click();
    void StretchArraysOffset1Click();
    void ScaleArrays1Click();
    void OffsetArrays1Click();
    void Thin1Click();
    void Despeckle8Bit1Click();
    void Despeckle24Bit1Click();
    void BlockPattern1Click();
    void LinePattern1Click();
    void NibblePattern1Click();
    void NeighborPattern1Click();
    void RemoveWebEnabled1Click();
    void RemoveWebDisabled1Click();
    void SobelTrailing1Click();
    void SobelLeadingAndTrailing1Click();
    void LaplacianLeadingAndTrailing1Click();
    void ConnectLines1Click();
    void DeleteShortSegments1Click();
    void ClassifyPixels1Click();
    void ZoomIn1Click();
    void ZoomOut1Click();
    // Contour Interpolation (GraphicsWindowContourInterpolationMenu.cpp)
    void TagSetElevation1Click();
    void TagLinesEnabled1Click();
    void TagLinesDisabled1Click();
    void ShowElevationEnabled1Click();
    void ShowElevationDisabled1Click();
    void DigitizeContourEnabled1Click();
    void DigitizeContourDisabled1Click();
    // DEM Interpolation (GraphicsWindowDemInterpolationMenu.cpp)
    void SetNullDataDefinition1Click();
    void SetSeaLevelClippingParameters1Click();
    void FixSeaLevelElevations1Click();
    void OffsetDTED0DEM1Click();
    /// Arms the rubber band; its release hands the rectangle to interpolateSubset().
    void InterpolateSubsetArray1Click();
    void ExpandDTED0DEM1Click();
    void ExpandSRTM30DEM1Click();
    void InsertExpandedDTED0orSRTM30intoSRTM31Click();
    void AssignInterpolatedElevations1Click();
    void CutPatchesFromDTED1File1Click();
    void ExpandDTED11Click();
    void ResampleDEM1Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void connectView();
    void modelChanged();
    void contentReplaced();
    void chooseTool(bool draw, bool erase);
    void showReadoutAt(int x, int y);
    /// The release of the "Interpolate Subset Array" rubber band (never of zero area).
    void interpolateSubset(const CellRect& rect);

    GridHandover& session_;
    Reporter& reporter_;
    GraphicsModel model_;
    QScrollArea* scroll_;
    PictureView* view_;
    QTimer* timer_;
    std::map<QString, QAction*> actions_;
    bool binarized_ = false;
    bool elevationsLoaded_ = false;
    bool closing_ = false;
    bool arraysBusy_ = false;
    ToolPalletteDialog* toolPallatte_ = nullptr;
    PenColorDialog* penColor_ = nullptr;
    ClosingGraphicsDialog* closingDialog_ = nullptr;
    ErrorWindow* zeroArea_ = nullptr;
    MapTools* mapTools_ = nullptr;
    RepairDialogs repairDialogs_;
    CoarsePatchWindows coarsePatch_;
};

inline constexpr const char* kArraysBusyLine =
    "The picture is being classified: its arrays cannot change until the classification ends.";
inline constexpr const char* kNothingToHandOverLine = "The graphics window holds no picture or grid to hand over.";
