#include "classify/PixelClassifier.h"

#include "app/core/Reporter.h"
#include "classify/ClassificationDialog.h"
#include "ui/Modal.h"
#include "ui/PostingReporter.h"

#include <QApplication>
#include <QThread>
#include <memory>

PixelClassifier::PixelClassifier(ClassificationHost host, Reporter& reporter, ClassificationDialog& dialog)
    : QObject(host.window), window_(std::move(host)), reporter_(reporter), dialog_(dialog)
{
    setObjectName("pixelClassifier");
    beep = [] { QApplication::beep(); };
    dialog_.start = [this](const ClassificationParameters& p) { start(p); };
}

void PixelClassifier::ClassifyPixels1Click()
{
    if (running_) reporter_.log(kClassificationRunningLine);
    else modal::exec(dialog_);
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
    window_.saveUndo();
    auto before = std::make_shared<const IntGrid>(window_.imageArray());
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
    if (outcome.recoloured) {
        if (IntGrid& imageArray = window_.imageArray(); imageArray == before) {
            imageArray = std::move(result);
            window_.refresh();
        } else {
            reporter_.log(kClassificationDroppedLine);
        }
    }
    emit finished();
}
