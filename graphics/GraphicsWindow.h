// "GRIDMEND Graphics": the graphics window, the raster workbench. It shows
// the GraphicsModel and hands its commands to plain code.
#pragma once

#include "graphics/GraphicsModel.h"

#include <QMainWindow>

class QLabel;
class QScrollArea;
class Reporter;
struct SessionState;

class GraphicsWindow : public QMainWindow {
    Q_OBJECT
public:
    GraphicsWindow(SessionState& session, Reporter& reporter, QWidget* parent = nullptr);

    GraphicsModel& model() { return model_; }

    /// Redraws the display from the model.
    void render();

private:
    SessionState& session_;
    Reporter& reporter_;
    GraphicsModel model_;
    QLabel* picture_;
};
