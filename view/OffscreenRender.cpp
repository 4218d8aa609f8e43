#include "view/OffscreenRender.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include <algorithm>

QSurfaceFormat threeDSurfaceFormat()
{
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setVersion(2, 1);
    f.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    f.setRedBufferSize(8);
    f.setGreenBufferSize(8);
    f.setBlueBufferSize(8);
    f.setAlphaBufferSize(0);
    f.setDepthBufferSize(24);
    f.setStencilBufferSize(0);
    return f;
}

std::vector<std::uint8_t> packedRgb(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    const std::size_t lineBytes = std::size_t(rgb.width()) * 3;
    std::vector<std::uint8_t> out(lineBytes * std::size_t(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y)
        std::copy_n(rgb.constScanLine(y), lineBytes, out.data() + lineBytes * std::size_t(y));
    return out;
}

OffscreenView::OffscreenView(int width, int height)
    : width_(width < 1 ? 1 : width), height_(height < 1 ? 1 : height)
{
    context_ = std::make_unique<QOpenGLContext>();
    context_->setFormat(threeDSurfaceFormat());
    if (!context_->create()) {
        error_ = "Creating Rendering Context failed.";
        return;
    }
    surface_ = std::make_unique<QOffscreenSurface>();
    surface_->setFormat(context_->format());
    surface_->create();
    if (!context_->makeCurrent(surface_.get())) {
        error_ = "MakeCurrent of rendering context failed.";
        return;
    }
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    fbo_ = std::make_unique<QOpenGLFramebufferObject>(width_, height_, format);
    if (!fbo_->isValid() || !fbo_->bind()) {
        error_ = "Creating the offscreen framebuffer failed.";
        return;
    }
    valid_ = true;
    initSceneGl();
    setSceneViewport(width_, height_);
    resizeView(state_, width_, height_);
}

OffscreenView::~OffscreenView()
{
    if (context_ && surface_ && context_->makeCurrent(surface_.get())) fbo_.reset();
}

QImage OffscreenView::render(RealGrid* grid, Reporter& reporter, MeshSubmission submission)
{
    if (!valid_ || !context_->makeCurrent(surface_.get())) return {};
    fbo_->bind();
    setSceneViewport(width_, height_);
    const bool drawMesh = prepareRender(state_, grid, reporter);
    drawScene(state_, drawMesh ? grid : nullptr, submission);
    return fbo_->toImage().convertToFormat(QImage::Format_RGB888);
}
