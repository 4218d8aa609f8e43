// "Classify Pixels" in the graphics window: the dialog's Submit starts the
// k-means classification on a worker thread (clusterThread) while the window
// stays live.
//
// At Submit, on the user-interface thread, the undo copies are saved and the
// worker is given its own copy of imageArray; it never touches the window.
// Its log lines and its beep are posted back to the user-interface thread,
// and so is its end, where the recoloured copy replaces imageArray and the
// picture is shown, unless imageArray changed meanwhile (then the result is
// dropped with a log line). While it runs, the window refuses the commands
// that change or close its arrays, and a second Submit is refused.
#pragma once

#include "classify/KMeansRandom.h"
#include "classify/PixelClassification.h"

#include <QObject>
#include <QPointer>
#include <functional>

class ClassificationDialog;
class QThread;
class Reporter;

/// What a classification needs of the window whose picture it recolours (the graphics
/// window; the program wires it): the picture, its undo copy, its redraw, and the refusal
/// of the commands that change or close its arrays while the worker runs.
struct ClassificationHost {
    QObject* window = nullptr;                ///< the classifier's parent
    std::function<IntGrid&()> imageArray;     ///< the picture classified and replaced
    std::function<void()> saveUndo;
    std::function<void()> refresh;
    std::function<void(bool busy)> setArraysBusy;
};

inline constexpr const char* kClassificationRunningLine =
    "A classification is running: a new one can start when it ends.";
inline constexpr const char* kClassificationDroppedLine =
    "The picture changed while it was being classified: the classification was not written.";

class PixelClassifier : public QObject {
    Q_OBJECT
public:
    PixelClassifier(ClassificationHost host, Reporter& reporter, ClassificationDialog& dialog);
    /// Waits for a running classification (its result is not written).
    ~PixelClassifier() override;

    /// Where the clustering's seeds come from (the calendar time; tests fix it). Called on the worker.
    kmeans::SeedSource seed = kmeans::calendarSeconds;
    /// The beep at the end of the clustering (on the user-interface thread).
    std::function<void()> beep;
    int beeps = 0;

    bool running() const { return running_; }
    /// Submit: starts the classification, or refuses it while one is running.
    void start(const ClassificationParameters& parameters);
    /// "Classify Pixels": the dialog, or the running line while a classification runs.
    void ClassifyPixels1Click();

signals:
    /// The classification ended and its result was written (or dropped).
    void finished();

private:
    void finish(const IntGrid& before, IntGrid result, const ClassificationOutcome& outcome);

    ClassificationHost window_;
    Reporter& reporter_;
    ClassificationDialog& dialog_;
    bool running_ = false;
    QPointer<QThread> clusterThread_;
};
