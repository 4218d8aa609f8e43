// Start-up: every window of the program is created once, the main window
// first and the others in their fixed order, and lives until exit. The
// registry keeps them in creation order; commands find a window by its class.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

class GraphicsWindow;
class MainWindow;
class SolverParamsDialog;

class WindowRegistry {
public:
    struct Options {
        bool showStartupWindows = true;   ///< splash and "Notice!" (tests turn them off)
    };

    /// Creates every window in order; shows the splash and the notice as it goes.
    explicit WindowRegistry(Options options);
    explicit WindowRegistry() : WindowRegistry(Options{}) {}
    ~WindowRegistry();

    MainWindow& mainWindow() { return *main_; }
    /// The windows in creation order (the main window first).
    const std::vector<QPointer<QWidget>>& windows() const { return windows_; }

    template <class W>
    W* find() const
    {
        for (const auto& w : windows_)
            if (auto* found = qobject_cast<W*>(w.data())) return found;
        return nullptr;
    }

private:
    /// The graphics window's requests to the main window and the parameters dialog.
    static void connectGraphicsWindow(GraphicsWindow& graphics, MainWindow& main, SolverParamsDialog& params);

    std::unique_ptr<MainWindow> main_;
    std::vector<QPointer<QWidget>> windows_;
};
