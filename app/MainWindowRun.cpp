// "Run Gridmend".
#include "app/MainWindow.h"

#include "app/RunCommand.h"
#include "graphics/GraphicsWindow.h"

#include <QAction>

void MainWindow::RunGridmend1Click()
{
    GraphicsModel scratch;
    GraphicsModel& graphics = graphicsWindow_ ? graphicsWindow_->model() : scratch;
    if (runGridmend(session_, graphics, *this) == RunOutcome::Completed) enableAfterRun();
}
