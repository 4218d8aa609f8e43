// The main window's menu tree, with the captions and start-up enabling of the program.
#include "app/MainWindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

QAction* MainWindow::addItem(QMenu* menu, const QString& caption, const QString& objectName,
                             void (MainWindow::*slot)())
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(objectName);
    connect(a, &QAction::triggered, this, slot);
    actions_[objectName] = a;
    return a;
}

void MainWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("menuFile");
    addItem(file, "&Open", "actionOpen", &MainWindow::Open1Click);
    addItem(file, "Open Reference Image", "actionOpenReferenceImage", &MainWindow::OpenReferenceImage1Click);
    addItem(file, "Open DTED0 Merge DEM", "actionOpenDted0MergeDem", &MainWindow::OpenMergeDEM1Click);
    addItem(file, "Open DTED1 Merge DEM", "actionOpenDted1MergeDem", &MainWindow::OpenDTED1MergeDEM1Click);
    addItem(file, "Open SRTM30 Merge DEM", "actionOpenSrtm30MergeDem", &MainWindow::OpenSRTM30MergeDEM1Click);
    addItem(file, "Open Australian ER Merge DEM", "actionOpenErMergeDem",
            &MainWindow::OpenAustralianERMergeDEM1Click);
    addItem(file, "Save ASCII ", "actionSaveAscii", &MainWindow::SaveASCIIClick);
    addItem(file, "Save BSQ", "actionSaveBsq", &MainWindow::SaveBSQ1Click);
    addItem(file, "Save Terragen", "actionSaveTerragen", &MainWindow::SaveTerragen1Click);
    addItem(file, "SaveASCIIDEM", "actionSaveAsciiDem", &MainWindow::SaveASCIIDEMClick);
    addItem(file, "Save SRTM", "actionSaveSrtm", &MainWindow::SaveSRTM1Click);
    addItem(file, "Save Image", "actionSaveImage", &MainWindow::SaveImage1Click);
    save3dMenu_ = file->addMenu("Save3D Image");
    save3dMenu_->menuAction()->setObjectName("actionSave3dImage");
    actions_["actionSave3dImage"] = save3dMenu_->menuAction();
    addItem(save3dMenu_, "jpg", "actionSave3dJpg", &MainWindow::jpg1Click);
    addItem(file, "Save POV-Ray TGA", "actionSavePovRayTga", &MainWindow::SavePOVRayTGA1Click);
    addItem(file, "Save Grayscale TGA", "actionSaveGrayscaleTga", &MainWindow::SaveGrayscaleTGA1Click);
    addItem(file, "Save Elevation Array", "actionSaveElevationArray", &MainWindow::SaveBitmapArray1Click);
    addItem(file, "Save DTED1", "actionSaveDted1", &MainWindow::SaveDTED11Click);
    addItem(file, "Save GeoTIFF", "actionSaveGeoTiff", &MainWindow::SaveGeoTiff1Click);
    QMenu* batch = file->addMenu("Batch Mode Interpolate");
    batch->menuAction()->setObjectName("actionBatchModeInterpolate");
    addItem(batch, "SRTM to SRTM", "actionBatchSrtmToSrtm", &MainWindow::SRTMtoSRTM1Click);
    addItem(batch, "IND to SRTM", "actionBatchIndToSrtm", &MainWindow::INDtoSRTM1Click);
    addItem(file, "Exit", "actionExit", &MainWindow::Exit1Click);

    QMenu* run = menuBar()->addMenu("Run");
    run->setObjectName("menuRun");
    addItem(run, "Run Gridmend", "actionRunGridmend", &MainWindow::RunGridmend1Click);
    createSurfaceMenu(run);

    viewMenu_ = menuBar()->addMenu("View");
    viewMenu_->setObjectName("menuView");
    viewMenu_->menuAction()->setObjectName("actionView");
    actions_["actionView"] = viewMenu_->menuAction();
    addItem(viewMenu_, "Display 2D Image", "actionDisplay2dImage", &MainWindow::DisplayImage1Click);
    addItem(viewMenu_, "Display 3D Image", "actionDisplay3dImage", &MainWindow::Display3DImage1Click);

    QMenu* help = menuBar()->addMenu("Help");
    help->setObjectName("menuHelp");
    addItem(help, "Help", "actionHelp", &MainWindow::Help1Click);
    addItem(help, "About", "actionAbout", &MainWindow::About1Click);

    for (const char* name : {"actionSaveAscii", "actionSaveAsciiDem", "actionSaveBsq", "actionSaveTerragen",
                             "actionSaveElevationArray", "actionRunGridmend", "actionSaveImage", "actionSaveSrtm",
                             "actionView", "actionSavePovRayTga", "actionSaveGrayscaleTga", "actionSaveDted1",
                             "actionSave3dImage", "actionSaveGeoTiff"})
        action(name)->setEnabled(false);
}
