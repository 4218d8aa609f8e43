// "GRIDMEND Graphics": the graphics window, the raster workbench. It shows
// the GraphicsModel's display picture in a scroll area, carries the complete
// menu tree of the workbench and hands every command to plain code.
//
// The commands of the later tools are present from the start but disabled;
// each tool plugs in with wire("actionName", handler) (its menu entry is then
// enabled under the window's enabling rules) and, for clicks on the picture,
// through model().hooks.clicks.
#pragma once

#include "graphics/GraphicsModel.h"

#include <QMainWindow>
#include <QString>
#include <functional>
#include <map>
#include <set>
#include <string>

class QAction;
class QColor;
class QMenu;
class QScrollArea;
class QTimer;
class ClosingGraphicsDialog;
class ErrorWindow;
class PenColorDialog;
class PictureView;
class Reporter;
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
        /// Closes the "Elevation Control Panel".
        std::function<void()> closeElevationControlPanel;
        /// Selects "Tag Disabled" and "Show Disabled" on the "Elevation Control Panel".
        std::function<void()> selectTagAndShowDisabled;
    } host;

    /// Operations of other windows behind this window's menu entries.
    struct Plugins {
        /// "Grayscale" while a tile is held: the SRTM grayscale view.
        std::function<void()> grayscaleTile;
        /// "Grayscale" on a picture.
        std::function<void()> grayscalePicture;
        /// "Save SRTM Grayscale Image": writes the grayscale view's picture to the chosen path.
        std::function<bool(const std::string& path)> saveSrtmGrayscaleImage;
    } plugins;

    /// The menu item with the given objectName ("actionZoomIn").
    QAction* action(const QString& objectName) const;
    /// Connects a menu item to its operation and enables it (under the enabling rules).
    void wire(const QString& objectName, std::function<void()> handler);
    /// Re-applies the enabling rules (after plugins were set).
    void applyEnablingRules();
    /// Whether the entry has a handler (its own slot or one plugged in through wire()).
    bool isWired(const QString& objectName) const { return wired_.count(objectName) > 0; }
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

    // Dialogs created in their place by the window registry (or on first use).
    void setDialogs(ToolPalletteDialog* toolPallatte, PenColorDialog* penColor, ClosingGraphicsDialog* closing,
                    ErrorWindow* zeroArea);
    ToolPalletteDialog& toolPalletteDialog();
    PenColorDialog& penColorDialog();
    ClosingGraphicsDialog& closingDialog();
    ErrorWindow& zeroAreaWindow();

public slots:
    // File
    void InputData1Click();
    /// Returns false when the user kept the window open.
    bool Close1Click();
    /// "Close" once confirmed (batch mode closes without asking).
    void closeWithoutAsking();
    void SaveGraphicsImage1Click();
    void SaveSRTMGrayscaleImage1Click();
    void SaveElevationArray1Click();
    void SaveIndexArray1Click();
    void SaveGeoTiff1Click();
    // Edit
    void Undo1Click();
    void CopyBitmap1Click();
    void SubsetProcessImage1Click();
    // Graphics
    void Draw1Click();
    void Erase1Click();
    void Pointer1Click();
    void PenWidth1Click();
    void PenColor1Click();
    // Image Processing
    void Grayscale1Click();
    void ZoomIn1Click();
    void ZoomOut1Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void connectView();
    void modelChanged();
    void contentReplaced();
    void chooseTool(bool draw, bool erase);
    void showReadoutAt(int x, int y);

    GridHandover& session_;
    Reporter& reporter_;
    GraphicsModel model_;
    QScrollArea* scroll_;
    PictureView* view_;
    QTimer* timer_;
    std::map<QString, QAction*> actions_;
    std::set<QString> wired_;
    bool binarized_ = false;
    bool elevationsLoaded_ = false;
    bool closing_ = false;
    bool arraysBusy_ = false;
    ToolPalletteDialog* toolPallatte_ = nullptr;
    PenColorDialog* penColor_ = nullptr;
    ClosingGraphicsDialog* closingDialog_ = nullptr;
    ErrorWindow* zeroArea_ = nullptr;
};

inline constexpr const char* kArraysBusyLine =
    "The picture is being classified: its arrays cannot change until the classification ends.";
inline constexpr const char* kNothingToHandOverLine = "The graphics window holds no picture or grid to hand over.";
