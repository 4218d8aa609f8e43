// "Classify Pixels" through the graphics window: the dialog with its lists
// and entries, Submit, the worker thread, what the window refuses while it
// runs, the result written (or dropped when the picture changed) and the log.
#include "GraphicsWindowFixture.h"
#include "GridArt.h"
#include "classify/ClassificationDialog.h"
#include "classify/PixelClassifier.h"

#include <QListWidget>
#include <atomic>
#include <chrono>
#include <thread>
#include <tuple>

namespace {

struct Classify : GraphicsWindowFixture {
    PixelClassifier& classifier = *g.findChild<PixelClassifier*>("pixelClassifier");
    ClassificationDialog& dialog = *g.findChild<ClassificationDialog*>("classificationDialog");
    std::atomic<bool> release{true};      ///< the worker's seeding waits while false

    void SetUp() override
    {
        GraphicsWindowFixture::SetUp();
        classifier.beep = nullptr;
        classifier.seed = [this] {
            while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return 12345u;
        };
    }
    void TearDown() override
    {
        release = true;
        QTRY_VERIFY(!classifier.running());
        GraphicsWindowFixture::TearDown();
    }
    /// "Classify Pixels" answered with the entries and the list rows (-1: nothing chosen).
    void submit(const QString& passes, const QString& clusters, int method = -1, int distance = -1)
    {
        modals.answer = [=](QDialog& d) {
            auto* dlg = static_cast<ClassificationDialog*>(&d);
            if (method >= 0) dlg->methodList()->setCurrentRow(method);
            if (distance >= 0) dlg->distanceList()->setCurrentRow(distance);
            return fill(d, {{"passesEdit", passes}, {"clustersEdit", clusters}});
        };
        trigger("actionClassifyPixels");
    }
    void waitForEnd() { QTRY_VERIFY_WITH_TIMEOUT(!classifier.running(), 20000); }
};

} // namespace

TEST_F(Classify, OneClusterRepaintsEveryPixelWithTheMeanColourOnTheWorker)
{
    load(pictureOf({0x102030, 0x204060, 0x306090, 0x000001}, 2));
    const int before = logSize();
    submit("2", "1", 1, 1);
    EXPECT_EQ(std::pair(dialog.parameters.method, dialog.parameters.dist), std::pair('m', 'b'));
    waitForEnd();
    // Means: red (16+32+48+0)/4 = 24, green 48, blue (48+96+144+1)/4 = 72.25.
    EXPECT_EQ(model.imageArray, IntGrid(2, 2, 24 << 16 | 48 << 8 | 72));
    const QStringList lines = logSince(before);
    EXPECT_EQ(lines.mid(0, 9), (QStringList{"Number of clusters is:  1", "number of passes is:  2", "nrows is:  4",
                                            "ncols is:  3", " ", "Computing k-mean classification",
                                            "This will take a moment...", "  ", "Solution found with 2 replicates"}));
    EXPECT_TRUE(lines.value(9).startsWith("Sum of distances is"));
    EXPECT_EQ(lines.mid(10), (QStringList{" ", "Pixel cluster centroids:", " ", "Cluster0", "24", "48", "72.25", " "}));
}

TEST_F(Classify, WhileItRunsTheArraysCannotChangeAndAResultForAnotherPictureIsDropped)
{
    load(pictureOf({0x102030, 0x204060, 0x306090, 0x000001}, 2));
    release = false;
    submit("1", "2");
    ASSERT_TRUE(classifier.running());
    for (const char* name : {"actionClassifyPixels", "actionUndo", "actionCopyBitmap", "actionBinarize",
                             "actionFilterValues", "actionClose", "actionSubsetProcessImage"})
        EXPECT_FALSE(enabled(name)) << name;
    const int before = logSize();
    EXPECT_FALSE(g.Close1Click());
    model.tagMode = true;
    click(1, 1);
    classifier.start(dialog.parameters);   // a second Submit
    EXPECT_EQ(logSince(before), (QStringList{kArraysBusyLine, kArraysBusyLine, kClassificationRunningLine}));

    const IntGrid opened(3, 3, 0x00FF00);
    model.loadPicture(opened);   // "&Open" of another picture while the worker runs
    release = true;
    waitForEnd();
    EXPECT_EQ(std::pair(model.imageArray, log().last()), std::pair(opened, QString(kClassificationDroppedLine)));
    EXPECT_TRUE(enabled("actionClassifyPixels") && enabled("actionUndo"));
}

TEST_F(Classify, EntriesBelowOneShowTheErrorWindowAndNothingRuns)
{
    load(pictureOf({0x102030, 0x204060, 0x306090, 0x000001}, 2));
    const int before = logSize();
    submit("0", "6");
    const QString error = "Error!: The number of passes and the\nnumber of clusters must be at\nleast 1.";
    EXPECT_EQ(modals.shown, (QStringList{"Pixel Classification Data Entry", error}));
    // The dialog closes after the error window; nothing valid was stored before.
    EXPECT_EQ(std::tuple(dialog.result(), classifier.running(), logSize()),
              std::tuple(int(QDialog::Rejected), false, before));
}
