// "&Open" and "Open Reference Image" driven through the main window, with the
// file dialogs and modal dialogs answered by the test.
#include "app/SolverParamsDialog.h"
#include "formats/OpenDispatch.h"
#include "view/ImageWindows.h"
#include "OpenFixture.h"
#include "TestFiles.h"


TEST_F(OpenFixture, DialogHasTheProgramsFilterAndACancelEndsTheCommand)
{
    SessionState& s = m.session();
    s.inputKind = InputKind::CsvInput;
    filedialogs::queueAnswers({""});
    m.action("actionOpen")->trigger();
    EXPECT_EQ(filedialogs::lastFilter(), kOpenFilter);
    EXPECT_EQ(log(), QStringList{"Open an input file to begin."});
    EXPECT_EQ(s.inputKind, InputKind::CsvInput);
    EXPECT_TRUE(dialogs.isEmpty());
}

TEST_F(OpenFixture, TextGridAsksForTheParametersAndEnablesRun)
{
    TempDir dir;
    const std::string path = dir.file("surface.txt");
    open(path);
    SessionState& s = m.session();
    EXPECT_EQ(s.inputFileName, path);
    EXPECT_EQ(s.inputKind, InputKind::TextGridInput);
    EXPECT_FALSE(s.sizeFromInput);
    EXPECT_EQ(dialogs, QStringList{"dataEntryForm"});
    EXPECT_EQ(s.numberElevationRows, 5);
    EXPECT_EQ(s.numberElevationColumns, 6);
    EXPECT_EQ(s.lsqrIterations, 3);
    EXPECT_EQ(s.laplacianIterations, 100);
    EXPECT_EQ(s.scaleFactor, 1.0);
    EXPECT_TRUE(m.action("actionRunGridmend")->isEnabled());
    const QStringList lines = log();
    EXPECT_EQ(lines.mid(1, 3), (QStringList{QString::fromStdString(path), " ", "surface.txt"}));
    EXPECT_EQ(lines.mid(4, 2), (QStringList{"number of rows is:  5", "number of columns is:  6"}));
    EXPECT_FALSE(g.isVisible());
}

TEST_F(OpenFixture, TextGridCancelledBeforeAnySubmitStopsWithTheKindSet)
{
    paramsAnswer = "cancel";
    m.session().numberElevationRows = 77;
    open("/data/points.txt");
    SessionState& s = m.session();
    EXPECT_EQ(s.inputKind, InputKind::TextGridInput);
    EXPECT_EQ(s.numberElevationRows, 77);   // nothing converted
    EXPECT_FALSE(m.action("actionRunGridmend")->isEnabled());
}

TEST_F(OpenFixture, TextGridCancelledAfterAnEarlierSubmitStillConverts)
{
    open("/data/first.txt");
    m.setRunEnabled(false);
    paramsAnswer = "cancel";
    rows = "40";   // typed, then cancelled: not taken
    open("/data/second.las");
    SessionState& s = m.session();
    EXPECT_EQ(s.inputKind, InputKind::LasInput);
    EXPECT_EQ(s.numberElevationRows, 5);   // the submitted texts are converted again
    EXPECT_TRUE(m.action("actionRunGridmend")->isEnabled());
}

TEST_F(OpenFixture, IndexFileGoesIntoTheGraphicsWindow)
{
    TempDir dir;
    const std::string path = dir.file("spot.ind");
    writeText(path, "10 20 100\n12 25 0\n11 22 105\n");
    open(path);
    SessionState& s = m.session();
    EXPECT_EQ(s.inputKind, InputKind::SessionGridInput);
    EXPECT_TRUE(s.sizeFromInput);
    EXPECT_TRUE(m.openExtension().empty());   // emptied after a grid load
    EXPECT_TRUE(g.isVisible());
    EXPECT_EQ(g.model().imageRows(), 3);
    EXPECT_EQ(g.model().imageColumns(), 6);
    EXPECT_TRUE(g.model().elevationMode);
    EXPECT_EQ(g.model().elevationArray(1, 2), 105);
    EXPECT_EQ(g.model().imageArray(1, 2), 105 * 599);
    const QStringList lines = log();
    EXPECT_EQ(lines.mid(4, 4), (QStringList{"opened file successfully", " ", "number of points is:  3", "  "}));
    EXPECT_EQ(lines.last(), "columns is:  6");
    EXPECT_FALSE(m.action("actionRunGridmend")->isEnabled());   // grid kinds reach Run through the window
}

TEST_F(OpenFixture, ReferenceImageGoesToItsOwnWindow)
{
    ReferenceImageWindow& ref = *m.referenceImageWindow();
    EXPECT_EQ(ref.windowTitle(), "Reference Image");
    EXPECT_EQ(ref.loaderValue1, 0);
    EXPECT_EQ(ref.loaderValue2, 0);
    filedialogs::queueAnswers({QString::fromStdString(testData("contour_crop.jpg"))});
    m.action("actionOpenReferenceImage")->trigger();
    EXPECT_EQ(filedialogs::lastFilter(), "bitmap|*.bmp|jpeg|*.jpg");
    EXPECT_TRUE(ref.isVisible());
    EXPECT_FALSE(g.isVisible());
    EXPECT_FALSE(g.model().holdsContent());
    EXPECT_EQ(ref.asArray().rows(), 90);
    EXPECT_EQ(ref.asArray().cols(), 120);
    EXPECT_EQ(ref.asArray()(0, 0), 0xA4A5A7);
    EXPECT_EQ(ref.loaderValue1, 90);   // the loader keeps height and width there
    EXPECT_EQ(ref.loaderValue2, 120);
    EXPECT_EQ(m.session().inputKind, InputKind::SessionGridInput);
    EXPECT_TRUE(m.openExtension().empty());

    filedialogs::queueAnswers({"/maps/relief.png"});
    m.action("actionOpenReferenceImage")->trigger();
    EXPECT_EQ(log().mid(log().size() - 3),
              (QStringList{"/maps/relief.png", " ", "Invalid file type.  File must be .jpg or .bmp"}));
}
