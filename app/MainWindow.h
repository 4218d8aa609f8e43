// The main window "GRIDMEND": the session, the diagnostics log, the vertical
// progress bar, the cursor readouts and the menu. Handlers keep the program's
// names (Open1Click, SaveSRTM1Click, ...) and only call plain code; each group
// of handlers lives in its own MainWindow<Group>.cpp file.
#pragma once

#include "app/core/Reporter.h"
#include "app/OpenDispatch.h"
#include "app/SessionState.h"
#include "formats/UsgsDemWriter.h"

#include <QMainWindow>
#include <functional>
#include <map>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class BatchDialog;
class GraphicsWindow;
class GrayscaleWindow;
class ImageForm;
class ReferenceImageWindow;
class SolverParamsDialog;
class WindowRegistry;
struct BatchJob;

class MainWindow : public QMainWindow, public Reporter {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Reporter
    void log(std::string_view line) override;
    void progressStart(int minimum, int maximum) override;
    void progressStep() override;
    void progressHide() override;
    void notice(std::string_view caption, std::string_view text) override;
    void completionSignal() override;

    SessionState& session() { return session_; }
    QPlainTextEdit* diagnosticsLog() const { return log_; }
    QProgressBar* progressBar() const { return progress_; }
    /// The menu item with the given objectName ("actionRunGridmend").
    QAction* action(const QString& objectName) const;

    /// Windows created by the registry after the main window.
    void setSolverParamsDialog(SolverParamsDialog* dialog) { paramsDialog_ = dialog; }
    void setGraphicsWindow(GraphicsWindow* window) { graphicsWindow_ = window; }
    void setReferenceImageWindow(ReferenceImageWindow* window) { referenceImageWindow_ = window; }
    void setBatchDialog(BatchDialog* dialog) { batchDialog_ = dialog; }
    /// The program's windows, where commands find the windows they show.
    void setWindowRegistry(const WindowRegistry* registry) { registry_ = registry; }
    SolverParamsDialog* solverParamsDialog() const { return paramsDialog_; }
    GraphicsWindow* graphicsWindow() const { return graphicsWindow_; }
    ReferenceImageWindow* referenceImageWindow() const { return referenceImageWindow_; }
    BatchDialog* batchDialog() const { return batchDialog_; }

    /// The extension Open stored from the last chosen path (emptied after grid loads).
    const std::string& openExtension() const { return openExtension_; }
    /// The "Shape File Scaling Limits" dialog (MAXSPAN), shown by Open after the parameters
    /// dialog for a shapefile; it arrives with shapefile input.
    std::function<void()> shapeFileScalingLimits;
    /// Dialogs a grid reader needs before it reads (the ER tile's corner), by dispatch row number.
    std::map<int, std::function<void()>> askBeforeLoading;
    /// The loader Open runs for a row (the dispatch's own), always inside the load guard.
    std::function<GridLoader(const OpenRow&)> loaderFor = loaderOf;

    /// Readout labels written by the image windows.
    enum class Readout { X, Y, Elevation, Zoom, Longitude, Latitude };
    void setReadout(Readout which, const QString& text);
    /// "X coordinate", "Y coordinate", "Elevation" and their values.
    void showCoordinateReadouts(bool visible);
    /// "Graphics Zoom Factor", "Longitude", "Latitude", the "degrees" labels and their values.
    void showTileReadouts(bool visible);

    /// The pointer readout of the picture windows: X and Y (picture column and line)
    /// and, when showElevation, the elevation text; the six labels are shown.
    void showPointerReadout(int x, int y, const QString& elevation, bool showElevation);
    /// Routes the picture windows' readouts into the labels; closing one hides them.
    void connectPictureWindows(ImageForm* form, GrayscaleWindow* grayscale);

    /// Georeference of "SaveASCIIDEM", stored by the "ASCII DEM Data Entry Form" (0, an empty
    /// datum and scale 1.0 until its first Submit).
    UsgsDemGeoreference usgsDemGeoreference;

    /// Height scale of Terragen files, set by the "Terragen Scale Factor" dialog.
    std::int32_t terragenHeightScale = 30;

    /// Enabling rules.
    void setRunEnabled(bool enabled);
    void enableAfterRun();
    /// No solution is held any more: the View menu and the solution's save commands are disabled.
    void disableSolutionCommands();

    /// Milliseconds between the completion beeps (tests set 0).
    int beepPauseMs = 250;
    int beepCount = 0;   ///< beeps sounded so far

public slots:
    // File
    void Open1Click();
    void OpenReferenceImage1Click();
    void OpenMergeDEM1Click();
    void OpenDTED1MergeDEM1Click();
    void OpenSRTM30MergeDEM1Click();
    void OpenAustralianERMergeDEM1Click();
    void SaveASCIIClick();
    void SaveBSQ1Click();
    void SaveTerragen1Click();
    void SaveASCIIDEMClick();
    void SaveSRTM1Click();
    void SaveImage1Click();
    void jpg1Click();
    void SavePOVRayTGA1Click();
    void SaveGrayscaleTGA1Click();
    void SaveBitmapArray1Click();
    void SaveDTED11Click();
    void SaveGeoTiff1Click();
    void SRTMtoSRTM1Click();
    void INDtoSRTM1Click();
    void Exit1Click();
    // Run
    void RunGridmend1Click();
    // View
    void DisplayImage1Click();
    void Display3DImage1Click();
    // Help
    void Help1Click();
    void About1Click();

private:
    void createLayout();
    void createMenus();
    // Surface (MainWindowSurface.cpp): the choice under "Run"; Tension asks for its value.
    void createSurfaceMenu(QMenu* run);
    void chooseSurface(SurfaceMode mode);
    QAction* addItem(QMenu* menu, const QString& caption, const QString& objectName, void (MainWindow::*slot)());
    // Open (MainWindowOpen.cpp)
    void openTextKind(const OpenRow& row);
    void openShapefile(const OpenRow& row);
    void openIntoGraphics(const OpenRow& row, const std::string& path);
    void commonOpenEnding();
    // Batch (MainWindowBatch.cpp)
    BatchJob batchJob();
    // Merge DEM openers (MainWindowMergeDem.cpp): the dialog; the chosen path is logged and its
    // extension stored. Empty when cancelled.
    std::string chooseMergeFile(const char* filter, const char* defaultExtension);

    SessionState session_;
    QPlainTextEdit* log_ = nullptr;
    QProgressBar* progress_ = nullptr;
    std::map<Readout, QLabel*> readoutValues_;
    std::vector<QLabel*> coordinateLabels_, elevationLabels_, tileLabels_;
    std::map<QString, QAction*> actions_;
    QMenu* viewMenu_ = nullptr;
    QMenu* save3dMenu_ = nullptr;
    SolverParamsDialog* paramsDialog_ = nullptr;
    GraphicsWindow* graphicsWindow_ = nullptr;
    ReferenceImageWindow* referenceImageWindow_ = nullptr;
    BatchDialog* batchDialog_ = nullptr;
    const WindowRegistry* registry_ = nullptr;
    std::string openExtension_;
};
