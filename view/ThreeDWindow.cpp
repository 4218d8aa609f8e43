#include "view/ThreeDWindow.h"

#include "app/core/Reporter.h"
#include "app/core/GridHandover.h"
#include "view/OffscreenRender.h"

#include <QOpenGLContext>

ThreeDWindow::ThreeDWindow(GridHandover& session, Reporter& reporter, QWidget* parent)
    : QOpenGLWidget(parent, Qt::Window), session_(session), reporter_(reporter)
{
    setWindowTitle("3D Graphics Image");
    setObjectName("threeDWindow");
    setFormat(threeDSurfaceFormat());
    resize(420, 420);
}

void ThreeDWindow::initializeGL()
{
    if (!context() || !context()->isValid()) {
        reporter_.notice("Error!", "Creating Rendering Context failed.");
        return;
    }
    initSceneGl();
}

void ThreeDWindow::resizeGL(int width, int height)
{
    const qreal ratio = devicePixelRatioF();
    setSceneViewport(int(width * ratio), int(height * ratio));
    // Qt paints after every resize; the render then uses the new projection.
    resizeView(state_, width, height);
}

void ThreeDWindow::paintGL()
{
    const qreal ratio = devicePixelRatioF();
    setSceneViewport(int(width() * ratio), int(height() * ratio));
    RealGrid* grid = display_.select(session_.solutionGrid ? &*session_.solutionGrid : nullptr, state_.smoothPending);
    const bool drawMesh = prepareRender(state_, grid, reporter_);
    drawScene(state_, drawMesh ? grid : nullptr, submission);
    ++renders_;
}

void ThreeDWindow::render()
{
    update();
}

QImage ThreeDWindow::snapshot()
{
    return grabFramebuffer().convertToFormat(QImage::Format_RGB888);
}
