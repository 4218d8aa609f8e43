// The 3-D view rendered without a window: an offscreen surface, an OpenGL
// context of the window's kind and a framebuffer object of the client size,
// running the window's creation, resize and render steps with the same
// drawing code. Needs a QGuiApplication (on X11: a display).
#pragma once

#include "view/SceneRenderer.h"
#include "view/ThreeDScene.h"

#include <QImage>
#include <QSurfaceFormat>
#include <cstdint>
#include <memory>
#include <vector>

class Reporter;
class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

/// The context format of the 3-D view: compatibility profile (fixed-function
/// OpenGL 1.1 + GLU), double-buffered RGB with 8 bits a channel, depth buffer.
QSurfaceFormat threeDSurfaceFormat();

/// The picture's pixels as tightly packed red, green, blue bytes, top line first.
std::vector<std::uint8_t> packedRgb(const QImage& picture);

class OffscreenView {
public:
    /// Creates the context and framebuffer, runs the window's creation set-up and its first resize.
    OffscreenView(int width, int height);
    ~OffscreenView();
    OffscreenView(const OffscreenView&) = delete;
    OffscreenView& operator=(const OffscreenView&) = delete;

    /// False when no OpenGL context could be made; error() says why.
    bool valid() const { return valid_; }
    const char* error() const { return error_; }

    ThreeDState& state() { return state_; }

    /// One render of the grid (prepareRender, then the drawing) read back as a
    /// 24-bit picture, top line first. A null picture when invalid.
    QImage render(RealGrid* grid, Reporter& reporter, MeshSubmission submission = MeshSubmission::VertexArrays);

private:
    ThreeDState state_;
    std::unique_ptr<QOpenGLContext> context_;
    std::unique_ptr<QOffscreenSurface> surface_;
    std::unique_ptr<QOpenGLFramebufferObject> fbo_;
    int width_, height_;
    bool valid_ = false;
    const char* error_ = "";
};
