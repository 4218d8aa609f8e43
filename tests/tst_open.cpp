// "&Open" and "Open Reference Image" driven through the main window, with the
// file dialogs and modal dialogs answered by the test.
#include "app/SolverParamsDialog.h"
#include "app/OpenDispatch.h"
#include "view/ImageWindows.h"
#include "OpenFixture.h"
#include "TestFiles.h"

#include <functional>
#include <new>
#include <stdexcept>


TEST_F(OpenFixture, DialogHasTheProgramsFilterAndACancelEndsTheCommand)
{
    SessionState& s = m.session();
    s.inputKind = InputKind::CsvInput;
    filedialogs::queueAnswers({""});
    m.action("actionOpen")->trigger();
    EXPECT_EQ(std::tuple(filedialogs::lastFilter(), log(), s.inputKind, dialogs.isEmpty()),
              std::tuple(QString(kOpenFilter), QStringList{"Open an input file to begin."}, InputKind::CsvInput, true));
}

TEST_F(OpenFixture, TextGridAsksForTheParametersAndEnablesRun)
{
    TempDir dir;
    const std::string path = dir.file("surface.txt");
    open(path);
    const SessionState& s = m.session();
    EXPECT_EQ(dialogs, QStringList{"dataEntryForm"});
    EXPECT_EQ(std::tuple(s.inputFileName, s.inputKind, s.sizeFromInput, s.numberElevationRows, s.numberElevationColumns,
                         s.lsqrIterations, s.laplacianIterations, s.scaleFactor,
                         m.action("actionRunGridmend")->isEnabled(), g.isVisible()),
              std::tuple(path, InputKind::TextGridInput, false, 5, 6, 3, 100, 1.0, true, false));
    EXPECT_EQ(log().mid(1, 5), (QStringList{QString::fromStdString(path), " ", "surface.txt", "number of rows is:  5",
                                            "number of columns is:  6"}));
}

// Cancel converts the texts submitted last: before any Submit, nothing; after one, those (not the ones typed).
TEST_F(OpenFixture, TextGridCancelConvertsTheTextsSubmittedLast)
{
    auto state = [this] {
        return std::tuple(m.session().inputKind, m.session().numberElevationRows,
                          m.action("actionRunGridmend")->isEnabled());
    };
    paramsAnswer = "cancel";
    m.session().numberElevationRows = 77;
    open("/data/points.txt");
    EXPECT_EQ(state(), std::tuple(InputKind::TextGridInput, 77, false));
    paramsAnswer = "submit";
    open("/data/first.txt");
    m.setRunEnabled(false);
    paramsAnswer = "cancel";
    rows = "40";
    open("/data/second.las");
    EXPECT_EQ(state(), std::tuple(InputKind::LasInput, 5, true));
}

TEST_F(OpenFixture, IndexFileGoesIntoTheGraphicsWindow)
{
    TempDir dir;
    const std::string path = dir.file("spot.ind");
    writeText(path, "10 20 100\n12 25 0\n11 22 105\n");
    open(path);
    // The extension is emptied after a grid load; grid kinds reach Run through the window.
    const GraphicsModel& model = g.model();
    EXPECT_EQ(std::tuple(m.session().inputKind, m.session().sizeFromInput, m.openExtension(), g.isVisible(),
                         model.imageRows(), model.imageColumns(), model.elevationMode, model.elevationArray(1, 2),
                         model.imageArray(1, 2), m.action("actionRunGridmend")->isEnabled()),
              std::tuple(InputKind::SessionGridInput, true, std::string(), true, 3, 6, true, 105, 105 * 599, false));
    EXPECT_EQ(log().mid(4, 4), (QStringList{"opened file successfully", " ", "number of points is:  3", "  "}));
}

TEST_F(OpenFixture, ReferenceImageGoesToItsOwnWindow)
{
    ReferenceImageWindow& ref = *m.referenceImageWindow();
    filedialogs::queueAnswers({QString::fromStdString(testData("contour_crop.jpg"))});
    m.action("actionOpenReferenceImage")->trigger();
    EXPECT_EQ(filedialogs::lastFilter(), "bitmap|*.bmp|jpeg|*.jpg");
    // The loader keeps height and width in its two values.
    EXPECT_EQ(std::tuple(ref.isVisible(), g.isVisible(), g.model().holdsContent(), ref.asArray().rows(),
                         ref.asArray().cols(), ref.asArray()(0, 0), ref.loaderValue1, ref.loaderValue2,
                         m.session().inputKind, m.openExtension()),
              std::tuple(true, false, false, 90, 120, 0xA4A5A7, 90, 120, InputKind::SessionGridInput, std::string()));

    filedialogs::queueAnswers({"/maps/relief.png"});
    m.action("actionOpenReferenceImage")->trigger();
    EXPECT_EQ(log().mid(log().size() - 3),
              (QStringList{"/maps/relief.png", " ", "Invalid file type.  File must be .jpg or .bmp"}));
}

TEST_F(OpenFixture, AReaderThatThrowsLogsOneLineAndTheProgramGoesOn)
{
    struct Case {
        std::string path;
        std::function<void()> fail;
        QString line;
    };
    const Case cases[] = {
        {"/tiles/N45W123.hgt", [] { throw std::bad_alloc(); }, "Failed to open SRTM file."},
        {testData("contour_crop.bmp"), [] { throw std::runtime_error("decoder"); }, "Failed to open image file."},
        {"/maps/site.dem", [] { throw 7; }, "Failed to open /maps/site.dem."},
    };
    for (const Case& c : cases) {
        m.loaderFor = [&c](const OpenRow&) -> GridLoader {
            return [&c](const std::string&, GraphicsModel&, Reporter&) -> bool {
                c.fail();
                return true;
            };
        };
        open(c.path);
        EXPECT_EQ(log().last(), c.line) << c.path;
        EXPECT_EQ(log().count(c.line), 1) << c.path;
        EXPECT_FALSE(g.model().holdsContent()) << c.path;
    }
    m.loaderFor = loaderOf;   // the program's own reader: the same window opens the picture
    open(testData("contour_crop.bmp"));
    EXPECT_EQ(g.model().imageRows(), 90);
    EXPECT_TRUE(g.isVisible());
}
