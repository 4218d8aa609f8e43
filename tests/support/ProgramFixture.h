// The program without its start-up windows, for tests that drive it through
// its windows: the main window, the graphics window and its model, the log,
// and commands whose file dialog is answered with a path.
#pragma once

#include "app/MainWindow.h"
#include "app/WindowRegistry.h"
#include "graphics/GraphicsWindow.h"
#include "ui/FileDialogs.h"
#include "ui/Modal.h"

#include <QAction>
#include <QPlainTextEdit>
#include <gtest/gtest.h>
#include <string>

struct ProgramFixture : ::testing::Test {
    WindowRegistry registry{WindowRegistry::Options{false}};
    MainWindow& m = registry.mainWindow();
    GraphicsWindow& g = *m.graphicsWindow();
    GraphicsModel& model = g.model();

    void TearDown() override
    {
        modal::setAnswerer({});
        filedialogs::queueAnswers({});
    }
    QStringList log() const { return m.diagnosticsLog()->toPlainText().split('\n'); }
    /// Triggers the action with its file dialog answered by the path.
    static void answered(QAction* action, const std::string& path)
    {
        filedialogs::queueAnswers({QString::fromStdString(path)});
        action->trigger();
    }
    /// "&Open" of the path.
    void open(const std::string& path) { answered(m.action("actionOpen"), path); }
};
