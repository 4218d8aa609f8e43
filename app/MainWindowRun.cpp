// "Run Gridmend".
#include "app/MainWindow.h"

#include "app/BatchRun.h"
#include "app/RunCommand.h"
#include "graphics/GraphicsWindow.h"

#include <QAction>

void MainWindow::RunGridmend1Click()
{
    GraphicsModel scratch;
    GraphicsModel& graphics = graphicsWindow_ ? graphicsWindow_->model() : scratch;
    const BatchJob batch = batchJob();
    if (runGridmend(session_, graphics, *this, &batch) == RunOutcome::Completed) enableAfterRun();
}
