// "Surface" under "Run": which surface Run computes in place of the relaxation
// sweeps; the sweeps stay the default. "Tension..." asks for the tension.
#include "app/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QInputDialog>
#include <QMenu>

void MainWindow::createSurfaceMenu(QMenu* run)
{
    run->addSeparator();
    QMenu* menu = run->addMenu("Surface");
    menu->menuAction()->setObjectName("actionSurface");
    actions_["actionSurface"] = menu->menuAction();
    auto* group = new QActionGroup(menu);
    const struct {
        const char* caption;
        const char* objectName;
        SurfaceMode mode;
    } entries[] = {
        {"Relaxation Sweeps", "actionSurfaceSweeps", SurfaceMode::Sweeps},
        {"Harmonic (Converged)", "actionSurfaceHarmonic", SurfaceMode::Harmonic},
        {"Thin Plate (Converged)", "actionSurfaceThinPlate", SurfaceMode::ThinPlate},
        {"Tension...", "actionSurfaceTension", SurfaceMode::Tension},
    };
    for (const auto& e : entries) {
        QAction* a = menu->addAction(e.caption);
        a->setObjectName(e.objectName);
        a->setCheckable(true);
        a->setChecked(e.mode == session_.surface.mode);
        group->addAction(a);
        actions_[e.objectName] = a;
        connect(a, &QAction::triggered, this, [this, mode = e.mode] { chooseSurface(mode); });
    }
}

void MainWindow::chooseSurface(SurfaceMode mode)
{
    if (mode == SurfaceMode::Tension) {
        bool ok = false;
        const double t = QInputDialog::getDouble(this, "Surface in Tension",
                                                 "Tension from 0 (thin plate) to 1 (harmonic):",
                                                 session_.surface.tension, 0.0, 1.0, 2, &ok);
        if (!ok) {   // the previous choice stays
            const char* names[] = {"actionSurfaceSweeps", "actionSurfaceHarmonic", "actionSurfaceThinPlate",
                                   "actionSurfaceTension"};
            action(names[int(session_.surface.mode)])->setChecked(true);
            return;
        }
        session_.surface.tension = t;
    }
    session_.surface.mode = mode;
    log("Surface is:  " + surfaceDescription(session_.surface));
}
