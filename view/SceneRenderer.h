// The OpenGL drawing of the 3-D view: fixed-function OpenGL 1.1 with GLU, on
// whatever context is current (the window's, or an offscreen one for the
// command line and the tests), so both give the same picture.
//
// Render order: clear; light positions under the user's view; then, mirrored
// in x and turned 90 degrees about z, the axes; then, scaled in z by the
// elevation scale and lowered by the minimum elevation, the mesh. Every
// transformation is bracketed by matrix push and pop, so the user's view
// (ThreeDState::modelView) is unchanged by a render.
#pragma once

#include "app/core/Grid.h"

struct ThreeDState;

/// How the mesh is handed to OpenGL. Both give the same picture: the same
/// vertices, one normal per quadrilateral, the same order.
enum class MeshSubmission {
    VertexArrays,   ///< glVertexPointer/glNormalPointer/glDrawArrays, a grid row at a time
    Immediate,      ///< one glBegin/glEnd pair per quadrilateral
};

/// The context set-up of the window's creation: depth test, smooth shading,
/// black clear colour, lights 0 and 1, one-sided light model, lighting and
/// normal normalisation.
void initSceneGl();

/// Viewport of the client area.
void setSceneViewport(int width, int height);

/// Draws the scene for a prepared state (prepareRender); grid may be null (axes only).
void drawScene(const ThreeDState& state, const RealGrid* grid, MeshSubmission submission = MeshSubmission::VertexArrays);
