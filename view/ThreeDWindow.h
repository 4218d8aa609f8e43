// "3D Graphics Image": the solution as a lit, shaded 3-D surface in an OpenGL
// window (fixed-function OpenGL 1.1 + GLU, compatibility profile). Every
// paint, resize and control-panel step re-renders the whole scene with the
// drawing code of view/SceneRenderer.
#pragma once

#include "view/SceneRenderer.h"
#include "view/ThreeDScene.h"

#include <QImage>
#include <QOpenGLWidget>

class Reporter;
struct GridHandover;

class ThreeDWindow : public QOpenGLWidget {
    Q_OBJECT
public:
    ThreeDWindow(GridHandover& session, Reporter& reporter, QWidget* parent = nullptr);

    ThreeDState& state() { return state_; }
    /// Re-renders the scene.
    void render();
    /// Smooth the solution before the next mesh (requested by the repair commands).
    void requestSmoothing() { state_.smoothPending = true; }
    /// The client area's picture as shown (24 bits), for the JPEG export.
    QImage snapshot();
    /// Number of renders so far.
    int renderCount() const { return renders_; }

    MeshSubmission submission = MeshSubmission::VertexArrays;

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;

private:
    GridHandover& session_;
    Reporter& reporter_;
    ThreeDState state_;
    DisplayGrid display_;
    int renders_ = 0;
};
