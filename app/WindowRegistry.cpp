#include "app/WindowRegistry.h"

#include "app/AsciiDemForm.h"
#include "app/BatchDialog.h"
#include "app/MainWindow.h"
#include "app/OpenDialogs.h"
#include "app/ShellWindows.h"
#include "app/SolverParamsDialog.h"
#include "app/TerragenScaleDialog.h"
#include "app/TileGrayscale.h"
#include "classify/ClassificationDialog.h"
#include "classify/PixelClassifier.h"
#include "graphics/CoarsePatch.h"
#include "graphics/ElevationControlPanel.h"
#include "graphics/GraphicsDialogs.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/ImageDialogs.h"
#include "graphics/MapTools.h"
#include "graphics/MergeLoaders.h"
#include "graphics/ResampleDialog.h"
#include "ui/ColourImageWindow.h"
#include "ui/EntryDialog.h"
#include "ui/ErrorWindow.h"
#include "view/ImageWindows.h"
#include "view/RawImageWindow.h"
#include "view/ThreeDControlPanel.h"
#include "view/ThreeDWindow.h"

#include <QApplication>
#include <QImage>
#include <functional>

namespace {
/// The "Reference Image" window's picture for the range filter, Subtract and NAND.
ReferencePicture referencePicture(ReferenceImageWindow& window)
{
    ReferencePicture r;
    r.get = [&window] { return window.asArray(); };
    r.show = [&window](const IntGrid& picture) {
        QImage image(picture.cols(), picture.rows(), QImage::Format_RGB32);
        for (int y = 0; y < picture.rows(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < picture.cols(); ++x) line[x] = 0xFF000000u | (std::uint32_t(picture(y, x)) & 0xFFFFFFu);
        }
        window.loadPicture(image);
    };
    return r;
}

/// The graphics window as the picture "Classify Pixels" recolours.
ClassificationHost classificationHost(GraphicsWindow& graphics)
{
    ClassificationHost host;
    host.window = &graphics;
    host.imageArray = [&graphics]() -> IntGrid& { return graphics.model().imageArray; };
    host.saveUndo = [&graphics] { graphics.model().saveUndo(); };
    host.refresh = [&graphics] { graphics.model().refresh(); };
    host.setArraysBusy = [&graphics](bool busy) { graphics.setArraysBusy(busy); };
    return host;
}
} // namespace

WindowRegistry::WindowRegistry(Options options)
{
    QApplication::setApplicationName("gridmend");
    main_ = std::make_unique<MainWindow>();
    MainWindow* m = main_.get();
    m->setWindowRegistry(this);
    windows_.push_back(m);
    auto add = [this](QWidget* w) { windows_.push_back(w); return w; };

    // The windows are built, and join this sequence, in the program's fixed order.
    auto* params = new SolverParamsDialog(m->session(), *m, m);
    m->setSolverParamsDialog(params);
    add(params);
    auto* asciiDemForm = new AsciiDemDataEntryForm(m->usgsDemGeoreference, *m, m);
    add(asciiDemForm);
    // The general error window ("Please enter a value in each text box.").
    add(&generalErrorWindow(*m));
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
    // The scanned-map tools' windows, each in its place.
    MapToolWindows tools;
    tools.elevationPanel = new ElevationControlPanel(graphics->model(), graphics);
    add(tools.elevationPanel);
    tools.filterValues = new FilterValuesDialog(graphics);
    add(tools.filterValues);
    tools.filterLimits = new FilterLimitsDialog(graphics);
    add(tools.filterLimits);
    auto* toolPallatte = new ToolPalletteDialog(graphics);
    add(toolPallatte);
    auto* penColor = new PenColorDialog(graphics);
    add(penColor);
    tools.byteFilter = new ByteFilterDialog(graphics);
    add(tools.byteFilter);
    tools.markerColor = new MarkerColorDialog(graphics);
    add(tools.markerColor);
    add(new TerragenScaleDialog(m->terragenHeightScale, m));
    auto* classification = new ClassificationDialog(*m, graphics);
    add(classification);
    add(&classification->errorWindow());
    tools.backgroundColor = makeBackgroundColorDialog(graphics);
    add(tools.backgroundColor);
    tools.pixelNeighbor = new PixelNeighborDialog(graphics);
    add(tools.pixelNeighbor);
    add(&tools.pixelNeighbor->rangeWindow());
    auto* reference = new ReferenceImageWindow(m);
    m->setReferenceImageWindow(reference);
    add(reference);
    tools.referenceSize = makeReferenceSizeErrorWindow(graphics);
    add(tools.referenceSize);
    tools.searchRadius = new SearchRadiusDialog(graphics);
    add(tools.searchRadius);
    add(&tools.searchRadius->rangeWindow());
    auto* closing = new ClosingGraphicsDialog(graphics);
    add(closing);
    auto* zeroArea = new ErrorWindow(kZeroAreaLines, graphics);
    add(zeroArea);
    graphics->setDialogs(toolPallatte, penColor, closing, zeroArea);
    tools.scaleFactor = makeScaleFactorDialog(graphics);
    add(tools.scaleFactor);
    tools.unsharpMask = makeUnsharpMaskDialog(graphics);
    add(tools.unsharpMask);
    add(&tools.unsharpMask->rangeWindow());
    tools.pixelLimit = makePixelLimitDialog(graphics);
    add(tools.pixelLimit);
    add(&tools.pixelLimit->rangeWindow());
    // Null data, sea level and offsets; coarse-tile patches; batch interpolation.
    const RepairDialogs repair = createRepairDialogs(*graphics, *m);
    graphics->setRepairDialogs(repair);
    add(repair.scaleFactor);
    add(repair.arrayOffset);
    tools.elevationDialog = makeElevationDialog(graphics);
    add(tools.elevationDialog);
    GraphicsWindow::CoarsePatchWindows patchWindows;
    patchWindows.dted0BaseFile = new ColourImageWindow("DTED0 Base File", kDted0BaseFileName, QSize(121, 121), m);
    add(patchWindows.dted0BaseFile);
    patchWindows.interpolatedReference =
        new ColourImageWindow("Interpolated Reference Image", "interpolatedReferenceImage", {}, m);
    add(patchWindows.interpolatedReference);
    add(repair.dted0Offset);
    add(repair.seaLevel);
    add(repair.nullData);
    auto* shapeFileScaling = new ShapeFileScalingDialog(m->session(), *m, m);
    add(shapeFileScaling);
    m->shapeFileScalingLimits = [shapeFileScaling] { shapeFileScaling->showModal(); };
    graphics->model().hooks.solutionReplaced = [this] {
        if (auto* view = find<ThreeDWindow>()) view->requestSmoothing();
    };
    auto* batch = new BatchDialog(m->session(), *m, m);
    batch->requestSolverParameters = graphics->host.requestSolverParameters;
    batch->defineNullData = [nullData = repair.nullData] { nullData->showModal(); };
    m->setBatchDialog(batch);
    add(batch);
    patchWindows.srtm30Image = new ColourImageWindow("SRTM30Image", "srtm30Image", {}, m);
    add(patchWindows.srtm30Image);
    patchWindows.outsideSrtm30 =
        new ErrorWindow({coarsepatch::kOutsideLine1, coarsepatch::kOutsideLine2}, graphics);
    add(patchWindows.outsideSrtm30);
    graphics->setMapTools(new MapTools(*graphics, *m, tools, referencePicture(*reference)));
    auto* classifier = new PixelClassifier(classificationHost(*graphics), *m, *classification);
    graphics->plugins.classifyPixels = [classifier] { classifier->ClassifyPixels1Click(); };
    graphics->applyEnablingRules();
    auto* grayscale = new GrayscaleWindow(m);
    add(grayscale);
    add(new ErImageWindow(m));
    auto* erCorner = new ErCornerDialog(graphics->model(), *m, m);
    add(erCorner);
    m->askBeforeLoading[12] = [erCorner] { erCorner->showModal(); };   // the "aus_dem_erm" row
    patchWindows.resample = new ResampleDialog(graphics);
    add(patchWindows.resample);
    patchWindows.dted1MergeImage = new ColourImageWindow("DTED1 Merge Image", kDted1MergeImageName, {}, m);
    add(patchWindows.dted1MergeImage);
    graphics->setCoarsePatchWindows(patchWindows);
    m->connectPictureWindows(imageForm, grayscale);
    // "Grayscale" of a tile and "Save SRTM Grayscale Image" in the graphics window.
    graphics->plugins.grayscaleTile = [graphics, grayscale, m] {
        showTileGrayscale(graphics->model(), *grayscale, *m);
    };
    graphics->plugins.saveSrtmGrayscaleImage = [grayscale, m](const std::string& path) {
        return saveWindowPicture(*grayscale, path, *m);
    };
    graphics->applyEnablingRules();
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
    main_.reset();
}
