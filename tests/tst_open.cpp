// "&Open" and "Open Reference Image" driven through the main window, with the
// file dialogs and modal dialogs answered by the test.
#include "app/OpenDispatch.h"
#include "view/ImageWindows.h"
#include "OpenFixture.h"
#include "TestFiles.h"

#include <functional>
#include <new>
#include <stdexcept>

// A cancelled file dialog ends the command. The parameters form after a text grid; its Cancel converts
// the texts submitted last: before any Submit, nothing; after one, those (not the ones typed).
TEST_F(OpenFixture, TextGridAsksForTheParametersAndCancelKeepsTheTextsSubmittedLast)
{
    m.session().inputKind = InputKind::CsvInput;
    open("");
    EXPECT_EQ(std::tuple(filedialogs::lastFilter(), log(), m.session().inputKind, dialogs.isEmpty()),
              std::tuple(QString(kOpenFilter), QStringList{"Open an input file to begin."}, InputKind::CsvInput, true));
    TempDir dir;
    const std::string path = dir.file("surface.txt");
    const SessionState& s = m.session();
    paramsAnswer = "cancel";
    open(path);
    EXPECT_EQ(std::tuple(s.inputKind, s.numberElevationRows, m.action("actionRunGridmend")->isEnabled()),
              std::tuple(InputKind::TextGridInput, 0, false));
    paramsAnswer = "submit";
    open(path);
    EXPECT_EQ(dialogs, (QStringList{"dataEntryForm", "dataEntryForm"}));
    EXPECT_EQ(std::tuple(s.inputFileName, s.inputKind, s.sizeFromInput, s.numberElevationRows, s.numberElevationColumns,
                         s.lsqrIterations, s.laplacianIterations, s.scaleFactor,
                         m.action("actionRunGridmend")->isEnabled(), g.isVisible()),
              std::tuple(path, InputKind::TextGridInput, false, 5, 6, 3, 100, 1.0, true, false));
    EXPECT_EQ(log().mid(log().size() - 11, 5), (QStringList{QString::fromStdString(path), " ", "surface.txt",
                                                            "number of rows is:  5", "number of columns is:  6"}));
    m.setRunEnabled(false);
    paramsAnswer = "cancel";
    rows = "40";
    open("/data/second.las");
    EXPECT_EQ(std::tuple(s.inputKind, s.numberElevationRows, m.action("actionRunGridmend")->isEnabled()),
              std::tuple(InputKind::LasInput, 5, true));
}

TEST_F(OpenFixture, IndexFileGoesIntoTheGraphicsWindow)
{
    TempDir dir;
    writeText(dir.file("spot.ind"), "10 20 100\n12 25 0\n11 22 105\n");
    open(dir.file("spot.ind"));
    // The extension is emptied after a grid load; grid kinds reach Run through the window.
    EXPECT_EQ(std::tuple(m.session().inputKind, m.session().sizeFromInput, m.openExtension(), g.isVisible(),
                         model.imageRows(), model.imageColumns(), model.elevationMode, model.elevationArray(1, 2),
                         model.imageArray(1, 2), m.action("actionRunGridmend")->isEnabled()),
              std::tuple(InputKind::SessionGridInput, true, std::string(), true, 3, 6, true, 105, 105 * 599, false));
}

TEST_F(OpenFixture, ReferenceImageGoesToItsOwnWindow)
{
    ReferenceImageWindow& ref = *m.referenceImageWindow();
    answered(m.action("actionOpenReferenceImage"), testData("contour_crop.jpg"));
    EXPECT_EQ(filedialogs::lastFilter(), "bitmap|*.bmp|jpeg|*.jpg");
    // The loader keeps height and width in its two values.
    EXPECT_EQ(std::tuple(ref.isVisible(), g.isVisible(), model.holdsContent(), ref.asArray().rows(),
                         ref.asArray()(0, 0), ref.loaderValue1, ref.loaderValue2, m.session().inputKind,
                         m.openExtension()),
              std::tuple(true, false, false, 90, 0xA4A5A7, 90, 120, InputKind::SessionGridInput, std::string()));
    answered(m.action("actionOpenReferenceImage"), "/maps/relief.png");
    EXPECT_EQ(log().last(), "Invalid file type.  File must be .jpg or .bmp");
}

TEST_F(OpenFixture, AReaderThatThrowsLogsOneLineAndTheProgramGoesOn)
{
    const std::tuple<std::string, std::function<void()>, QString> cases[] = {
        {"/tiles/N45W123.hgt", [] { throw std::bad_alloc(); }, "Failed to open SRTM file."},
        {testData("contour_crop.bmp"), [] { throw std::runtime_error("decoder"); }, "Failed to open image file."},
        {"/maps/site.dem", [] { throw 7; }, "Failed to open /maps/site.dem."},
    };
    for (const auto& [path, fail, line] : cases) {
        m.loaderFor = [&fail](const OpenRow&) -> GridLoader {
            return [&fail](const std::string&, GraphicsModel&, Reporter&) { return fail(), true; };
        };
        open(path);
        EXPECT_EQ(std::tuple(log().last(), log().count(line), model.holdsContent()), std::tuple(line, 1, false))
            << path;
    }
    m.loaderFor = loaderOf;   // the program's own reader: the same window opens the picture
    open(testData("contour_crop.bmp"));
    EXPECT_EQ(std::pair(model.imageRows(), g.isVisible()), std::pair(90, true));
}
