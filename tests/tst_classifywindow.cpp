// "Classify Pixels" through the graphics window: the dialog with its lists
// and entries, Submit, the worker thread, what the window refuses while it
// runs, the result written (or dropped when the picture changed) and the log.
#include "GraphicsWindowFixture.h"
#include "GridArt.h"
#include "classify/ClassificationDialog.h"
#include "classify/PixelClassifier.h"

#include <QListWidget>
#include <QThread>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

struct Classify : GraphicsWindowFixture {
    PixelClassifier& classifier = *g.findChild<PixelClassifier*>("pixelClassifier");
    ClassificationDialog& dialog = *g.findChild<ClassificationDialog*>("classificationDialog");
    std::atomic<bool> release{true};      ///< the worker's seeding waits while false
    std::atomic<int> seededOnWorker{0};   ///< seeds taken on clusterThread

    void SetUp() override
    {
        GraphicsWindowFixture::SetUp();
        classifier.beep = nullptr;
        classifier.seed = [this] {
            if (QThread::currentThread()->objectName() == "clusterThread") ++seededOnWorker;
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

TEST_F(Classify, DialogListsTheMethodsAndDistancesWithNothingChosen)
{
    EXPECT_EQ(dialog.windowTitle(), "Pixel Classification Data Entry");
    QStringList methods, distances;
    for (int i = 0; i < dialog.methodList()->count(); ++i) methods << dialog.methodList()->item(i)->text();
    for (int i = 0; i < dialog.distanceList()->count(); ++i) distances << dialog.distanceList()->item(i)->text();
    EXPECT_EQ(methods, (QStringList{"Cluster Mean k-means", "Cluster Median k-means"}));
    EXPECT_EQ(distances, (QStringList{"Euclidian Distance", "City Block Distance", "Pearson Correlation Coefficient",
                                      "Absolute Value Pearson Correlation Coefficient",
                                      "Absolute Uncentered Pearson Correlation", "Uncentered Pearson Correlation"}));
    EXPECT_TRUE(dialog.methodList()->selectedItems().isEmpty());
    EXPECT_TRUE(dialog.distanceList()->selectedItems().isEmpty());
    EXPECT_EQ(dialog.passesEdit()->text(), "1");
    EXPECT_EQ(dialog.clustersEdit()->text(), "6");
    EXPECT_EQ(dialog.parameters.nclusters, 0);
    EXPECT_EQ(dialog.parameters.dist, 0);
    dialog.show();   // every entry of both lists in sight
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    for (QListWidget* list : {dialog.methodList(), dialog.distanceList()})
        for (int i = 0; i < list->count(); ++i) {
            const QRect item = list->visualItemRect(list->item(i));
            EXPECT_TRUE(item.top() >= 0 && item.bottom() < list->viewport()->height())
                << list->item(i)->text().toStdString() << " " << item.bottom() << " " << list->viewport()->height();
        }
    dialog.hide();
}

TEST_F(Classify, OneClusterRepaintsEveryPixelWithTheMeanColourOnTheWorker)
{
    load(pictureOf({0x102030, 0x204060, 0x306090, 0x000001}, 2));
    const int before = logSize();
    submit("2", "1", 1, 1);
    EXPECT_EQ(dialog.parameters.method, 'm');
    EXPECT_EQ(dialog.parameters.dist, 'b');
    EXPECT_TRUE(classifier.running());
    waitForEnd();
    EXPECT_GE(seededOnWorker.load(), 2);   // both seedings run on clusterThread
    // Means: red (16+32+48+0)/4 = 24, green 48, blue (48+96+144+1)/4 = 72.25.
    EXPECT_EQ(model.imageArray, IntGrid(2, 2, 24 << 16 | 48 << 8 | 72));
    EXPECT_EQ(model.display(1, 1), 0xFF000000u | (24 << 16 | 48 << 8 | 72));
    const QStringList lines = logSince(before);
    ASSERT_EQ(lines.size(), 18);
    EXPECT_EQ(lines.mid(0, 9), (QStringList{"Number of clusters is:  1", "number of passes is:  2", "nrows is:  4",
                                            "ncols is:  3", " ", "Computing k-mean classification",
                                            "This will take a moment...", "  ", "Solution found with 2 replicates"}));
    EXPECT_TRUE(lines[9].startsWith("Sum of distances is"));
    EXPECT_EQ(lines.mid(10), (QStringList{" ", "Pixel cluster centroids:", " ", "Cluster0", "24", "48", "72.25", " "}));
    EXPECT_EQ(classifier.beeps, 1);
    trigger("actionUndo");
    EXPECT_EQ(model.imageArray(0, 0), 0x102030);
}

TEST_F(Classify, WhileItRunsTheArraysCannotChangeOrClose)
{
    load(pictureOf({0x102030, 0x204060, 0x306090, 0x000001}, 2));
    release = false;
    submit("1", "2");
    ASSERT_TRUE(classifier.running());
    for (const char* name : {"actionClassifyPixels", "actionUndo", "actionCopyBitmap", "actionBinarize",
                             "actionFilterValues", "actionClose", "actionSubsetProcessImage"})
        EXPECT_FALSE(enabled(name)) << name;
    for (const char* name : {"actionZoomIn", "actionSaveGraphicsImage", "actionInputData", "actionQueryPixelEnabled"})
        EXPECT_TRUE(enabled(name)) << name;
    const int before = logSize();
    EXPECT_FALSE(g.Close1Click());
    model.tagMode = true;
    click(1, 1);
    classifier.start(dialog.parameters);   // a second Submit
    EXPECT_EQ(logSince(before), (QStringList{kArraysBusyLine, kArraysBusyLine, kClassificationRunningLine}));
    EXPECT_TRUE(g.isVisible());
    EXPECT_EQ(model.imageArray(0, 0), 0x102030);

    release = true;
    waitForEnd();
    EXPECT_NE(model.imageArray(0, 0), 0x102030);
    EXPECT_TRUE(enabled("actionClassifyPixels"));
    EXPECT_TRUE(enabled("actionUndo"));
}

TEST_F(Classify, ResultIsDroppedWhenThePictureChangedMeanwhile)
{
    load(pictureOf({0x102030, 0x204060, 0x306090, 0x000001}, 2));
    release = false;
    submit("1", "2");
    const IntGrid opened(3, 3, 0x00FF00);
    model.loadPicture(opened);   // "&Open" of another picture while the worker runs
    release = true;
    waitForEnd();
    EXPECT_EQ(model.imageArray, opened);
    EXPECT_EQ(log().last(), kClassificationDroppedLine);
}

TEST_F(Classify, EntriesBelowOneShowTheErrorWindowAndLettersTheConversionError)
{
    load(pictureOf({0x102030, 0x204060, 0x306090, 0x000001}, 2));
    const int before = logSize();
    submit("0", "6");
    const QString error = "Error!: The number of passes and the\nnumber of clusters must be at\nleast 1.";
    EXPECT_EQ(modals.shown, (QStringList{"Pixel Classification Data Entry", error}));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);   // the dialog closes after the error window
    EXPECT_FALSE(classifier.running());               // nothing valid was stored before
    EXPECT_EQ(logSize(), before);

    modals.shown.clear();
    submit("1", "a");
    EXPECT_EQ(modals.shown, (QStringList{"Pixel Classification Data Entry",
                                         "Conversion Error: Text box entry must be an integer!"}));
    EXPECT_FALSE(classifier.running());
    EXPECT_EQ(logSize(), before);

    submit("1", "2");
    waitForEnd();
    const IntGrid firstResult = model.imageArray;
    trigger("actionUndo");
    // An invalid Submit after a valid one classifies again with the stored parameters.
    const int second = logSize();
    submit("", "2");
    EXPECT_TRUE(classifier.running());
    waitForEnd();
    EXPECT_EQ(logSince(second).front(), "nrows is:  4");
    EXPECT_EQ(model.imageArray, firstResult);   // the same seed gives the same result
}

TEST_F(Classify, FewerPixelsThanClustersLeaveThePictureAndReportNoSolution)
{
    const IntGrid small = pictureOf({0x102030, 0x204060, 0x306090, 0x000001}, 2);
    load(small);
    const int before = logSize();
    submit("1", "6");
    waitForEnd();
    EXPECT_EQ(model.imageArray, small);
    const QStringList lines = logSince(before);
    EXPECT_TRUE(lines.contains("Solution found with 0 replicates"));
    EXPECT_FALSE(lines.contains("Pixel cluster centroids:"));
    EXPECT_EQ(classifier.beeps, 1);
}

TEST_F(Classify, AsManyClustersAsPixelsKeepEveryColourAndPassesReplicate)
{
    const IntGrid three = pictureOf({0x102030, 0xF0E0D0, 0x00FF00}, 1);
    load(three);
    const int before = logSize();
    submit("3", "3");
    waitForEnd();
    EXPECT_EQ(model.imageArray, three);
    EXPECT_TRUE(logSince(before).contains("Solution found with 3 replicates"));
}
