#include "classify/PixelClassifier.h"

#include "app/Reporter.h"
#include "classify/ClassificationDialog.h"
#include "graphics/GraphicsWindow.h"
#include "ui/Modal.h"
#include "ui/PostingReporter.h"

#include <QApplication>
#include <QThread>
#include <memory>

PixelClassifier::PixelClassifier(GraphicsWindow& window, Reporter& reporter, ClassificationDialog& dialog)
    : QObject(&window), window_(window), reporter_(reporter), dialog_(dialog)
{
    setObjectName("pixelClassifier");
    beep = [] { QApplication::beep(); };
    dialog_.start = [this](const ClassificationParameters& p) { start(p); };
    window_.plugins.classifyPixels = [this] {
        if (running_) reporter_.log(kClassificationRunningLine);
        else modal::exec(dialog_);
    };
    window_.applyEnablingRules();
}

PixelClassifier::~PixelClassifier()
{
    if (clusterThread_) {
        clusterThread_->wait();
        delete clusterThread_.data();
    }
}

void PixelClassifier::start(const ClassificationParameters& parameters)
{
    if (running_) {
        reporter_.log(kClassificationRunningLine);
        return;
    }
    GraphicsModel& g = window_.model();
    g.saveUndo();
    auto before = std::make_shared<const IntGrid>(g.imageArray);
    running_ = true;
    window_.setArraysBusy(true);
    QThread* thread = QThread::create([this, before, parameters, seed = seed] {
        PostingReporter log(*this, reporter_);
        IntGrid work = *before;
        const ClassificationOutcome outcome = classifyPixels(work, parameters, seed, log, [this] {
            QMetaObject::invokeMethod(this, [this] {
                ++beeps;
                if (beep) beep();
            }, Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(this, [this, before, work = std::move(work), outcome]() mutable {
            finish(*before, std::move(work), outcome);
        }, Qt::QueuedConnection);
    });
    thread->setObjectName("clusterThread");
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    clusterThread_ = thread;
    thread->start();
}

void PixelClassifier::finish(const IntGrid& before, IntGrid result, const ClassificationOutcome& outcome)
{
    running_ = false;
    window_.setArraysBusy(false);
    GraphicsModel& g = window_.model();
    if (outcome.recoloured) {
        if (g.imageArray == before) {
            g.imageArray = std::move(result);
            g.refresh();
        } else {
            reporter_.log(kClassificationDroppedLine);
        }
    }
    emit finished();
}
