#include "app/WindowRegistry.h"

#include "app/AsciiDemForm.h"
#include "app/MainWindow.h"
#include "app/OpenDialogs.h"
#include "app/ShellWindows.h"
#include "app/SolverParamsDialog.h"
#include "app/TerragenScaleDialog.h"
#include "graphics/GraphicsDialogs.h"
#include "graphics/GraphicsWindow.h"
#include "ui/ErrorWindow.h"
#include "view/ImageWindows.h"
#include "view/RawImageWindow.h"
#include "view/ThreeDControlPanel.h"
#include "view/ThreeDWindow.h"

#include <QApplication>
#include <functional>

namespace {
WindowRegistry* current = nullptr;
}

WindowRegistry* windowRegistry()
{
    return current;
}

const std::vector<QString>& WindowRegistry::creationOrder()
{
    static const std::vector<QString> order = {
        "GRIDMEND", "dataEntryForm", "ASCII DEM Data Entry Form", "Error!", "Help", "", "About", "Notice!",
        "Error!", "Error!", "GRIDMEND Graphics", "GRIDMEND Graphics", "Elevation Control Panel", "Form14",
        "Filter Data Entry", "Filter Limits data Entry Form", "Tool Pallatte", "Pen Color",
        "Red Green Blue Byte Filter Data Entry", "Marker Color", "Terragen Scale Factor",
        "Pixel Classification Data Entry", "Error!", "Background Color Data Entry", "Pixel Neighbor Data Entry",
        "Error!", "Reference Image", "Error!", "Search Radius Data Entry", "Error!", "Closing Graphics Window",
        "Error!", "Scale Factor Dialog Box", "Unsharp Mask Data Entry", "Error!", "Pixel Limit Data Entry Form",
        "Error!", "Scale Factor Data Entry Form", "Offset Data Entry", "Error!", "Elevation Dialog",
        "DTED0 Base File", "Interpolated Reference Image", "DTED0 Interpolation Iterations",
        "DTED0 Offset Elevation Dialog Box", "Sea Level Clipping Parameters",
        "Null Data Definition Data Entry Form", "Shape File Scaling Limits", "Batch Mode Dialog", "SRTM30Image",
        "SRTM30 Iterations", "Error!", "SRTM Grayscale Image Form", "Australian ER Image Form",
        "Australian ERM Data Entry Form", "Resample Parameters", "DTED1 Merge Image", "3D Image Control Panel",
        "Error!", "Error!", "Error!", "3D Graphics Image", "Form65", "Error!"};
    return order;
}

WindowRegistry::WindowRegistry(Options options)
{
    current = this;
    QApplication::setApplicationName("gridmend");
    main_ = std::make_unique<MainWindow>();
    MainWindow* m = main_.get();
    windows_.push_back(m);
    auto add = [this](QWidget* w) { windows_.push_back(w); return w; };

    // Windows join this sequence in their place in creationOrder() as they are built.
    auto* params = new SolverParamsDialog(m->session(), *m, m);
    m->setSolverParamsDialog(params);
    add(params);
    auto* asciiDemForm = new AsciiDemDataEntryForm(m->usgsDemGeoreference, *m, m);
    add(asciiDemForm);
    // The general error window ("Please enter a value in each text box.").
    auto* general = new ErrorWindow({kEmptyEntryText}, m);
    setGeneralErrorWindow(general);
    add(general);
    add(new HelpWindow(m));
    auto* splash = new SplashWindow(m);
    add(splash);
    if (options.showStartupWindows) splash->showModal();
    else m->show();
    add(new AboutWindow(m));
    auto* notice = new NoticeWindow(m);
    add(notice);
    if (options.showStartupWindows) notice->showModal();
    add(&params->rangeWindow());
    auto* asciiDemError = new ErrorWindow({}, asciiDemForm);
    asciiDemForm->setErrorWindow(asciiDemError);
    add(asciiDemError);
    auto* graphics = new GraphicsWindow(m->session(), *m, m);
    m->setGraphicsWindow(graphics);
    add(graphics);
    connectGraphicsWindow(*graphics, *m, *params);
    auto* imageForm = new ImageForm(m);
    add(imageForm);
    auto* toolPallatte = new ToolPalletteDialog(graphics);
    add(toolPallatte);
    auto* penColor = new PenColorDialog(graphics);
    add(penColor);
    add(new TerragenScaleDialog(m->terragenHeightScale, m));
    auto* reference = new ReferenceImageWindow(m);
    m->setReferenceImageWindow(reference);
    add(reference);
    auto* closing = new ClosingGraphicsDialog(graphics);
    add(closing);
    auto* zeroArea = new ErrorWindow(kZeroAreaLines, graphics);
    add(zeroArea);
    graphics->setDialogs(toolPallatte, penColor, closing, zeroArea);
    auto* shapeFileScaling = new ShapeFileScalingDialog(m->session(), *m, m);
    add(shapeFileScaling);
    m->shapeFileScalingLimits = [shapeFileScaling] { shapeFileScaling->showModal(); };
    auto* grayscale = new GrayscaleWindow(m);
    add(grayscale);
    m->connectPictureWindows(imageForm, grayscale);
    // "Grayscale" of a tile and "Save SRTM Grayscale Image" in the graphics window.
    graphics->plugins.grayscaleTile = [graphics, grayscale, m] {
        showTileGrayscale(graphics->model(), *grayscale, *m);
    };
    graphics->plugins.saveSrtmGrayscaleImage = [grayscale, m](const std::string& path) {
        return saveWindowPicture(*grayscale, path, *m);
    };
    graphics->applyEnablingRules();
    add(new ErImageWindow(m));
    auto* erCorner = new ErCornerDialog(graphics->model(), *m, m);
    add(erCorner);
    m->askBeforeLoading[12] = [erCorner] { erCorner->showModal(); };   // the "aus_dem_erm" row
    // The control panel drives the 3-D window, which is listed after the panel's error windows.
    auto* threeD = new ThreeDWindow(m->session(), *m, m);
    auto* panel = new ThreeDControlPanel(*threeD, m);
    add(panel);
    for (int i = 0; i < 3; ++i) add(panel->errorWindows()[std::size_t(i)]);
    add(threeD);
    add(new JpegSnapshotWindow(m));
    add(panel->errorWindows()[3]);
}

void WindowRegistry::connectGraphicsWindow(GraphicsWindow& graphics, MainWindow& m, SolverParamsDialog& params)
{
    using R = MainWindow::Readout;
    graphics.host.zoomLabel = [&m](int zoomFactor) { m.setReadout(R::Zoom, QString::number(zoomFactor)); };
    graphics.host.readoutsVisible = [&m](bool visible) {
        m.showTileReadouts(visible);
        m.showCoordinateReadouts(visible);
    };
    graphics.host.readout = [&m](const QString& x, const QString& y, const QString& elevation,
                                 const QString& longitude, const QString& latitude) {
        m.setReadout(R::X, x);
        m.setReadout(R::Y, y);
        if (!elevation.isEmpty()) m.setReadout(R::Elevation, elevation);
        m.setReadout(R::Longitude, longitude);
        m.setReadout(R::Latitude, latitude);
    };
    graphics.host.requestSolverParameters = [&m, &params] {
        const bool enableRun = params.requestSolverParameters();
        if (enableRun) m.setRunEnabled(true);
        return enableRun;
    };
}

WindowRegistry::~WindowRegistry()
{
    setGeneralErrorWindow(nullptr);
    if (current == this) current = nullptr;
    main_.reset();
}
