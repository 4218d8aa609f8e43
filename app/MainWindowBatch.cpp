// "Batch Mode Interpolate" > "SRTM to SRTM" and "IND to SRTM", and what the batch
// loop asks of the windows while Run works through the list.
#include "app/MainWindow.h"

#include "app/BatchDialog.h"
#include "app/BatchRun.h"
#include "graphics/GraphicsWindow.h"

#include <QAction>

// The two items behave identically.
void MainWindow::SRTMtoSRTM1Click()
{
    if (batchDialog_) batchDialog_->showModal();
}

void MainWindow::INDtoSRTM1Click()
{
    SRTMtoSRTM1Click();
}

void MainWindow::disableSolutionCommands()
{
    for (const char* name : {"actionSaveAscii", "actionSaveAsciiDem", "actionSaveSrtm", "actionSaveBsq",
                             "actionSaveTerragen", "actionSaveElevationArray", "actionSavePovRayTga",
                             "actionSaveGrayscaleTga", "actionSaveDted1", "actionSave3dImage", "actionView",
                             "actionSaveGeoTiff"})
        action(name)->setEnabled(false);
}

BatchJob MainWindow::batchJob()
{
    static const BatchList noList;
    BatchJob job{batchDialog_ ? batchDialog_->list() : noList, {}};
    MainWindow* self = this;
    if (GraphicsWindow* g = graphicsWindow_) {
        job.host.hideGraphicsWindow = [g] { g->hide(); };
        job.host.closeGraphicsWindow = [g] { g->closeWithoutAsking(); };
    }
    job.host.fileSolved = [self] {
        self->setRunEnabled(false);
        self->action("actionView")->setEnabled(true);
    };
    job.host.display2dDisabled = [self] { self->action("actionDisplay2dImage")->setEnabled(false); };
    job.host.solutionReleased = [self] { self->disableSolutionCommands(); };
    return job;
}
