// "&Open" of USGS ASCII DEMs, ASTER DEM HDF files, ER Mapper tiles and
// shapefiles, and "Open Australian ER Merge DEM", driven through the windows
// as a user drives them.
#include "app/RunCommand.h"
#include "formats/OpenDispatch.h"
#include "formats/UsgsDemWriter.h"
#include "view/RawImageWindow.h"
#include "FormatSamples.h"
#include "OpenFixture.h"
#include "TestFiles.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <filesystem>

namespace {

const QString kLengthCheckText = "This does not appear to be a valid \nASTER DEM .hdf file.\nIt may be a different "
                                 "type of .hdf file, \nand may even be an\nASTER L1A or L1B file.  However, \nthis "
                                 "program only\nreds ASTER DEM files.\n\nExiting.";

/// Answers the ER corner dialog with the given texts (and the MAXSPAN dialog with maxSpan).
struct InputDialogAnswers {
    std::vector<std::pair<QString, QString>> corners;   // one Submit per pair, in order
    QString maxSpan = "200";
    int operator()(QDialog& d)
    {
        if (d.objectName() == "shapeFileScalingDialog") return submitWith(d, {{"maxSpanEdit", maxSpan}});
        if (d.objectName() == "erCornerDialog") {
            for (std::size_t i = 0; i < corners.size() && d.result() == 0; ++i)
                submitWith(d, {{"latitudeEdit", corners[i].first}, {"longitudeEdit", corners[i].second}});
            const int result = d.result();
            d.setResult(0);
            return result;
        }
        return 0;
    }
};

/// An ASTER DEM of 2000 x 2300 16-bit samples (9,200,000 bytes: a data set the reader picks);
/// sample (r, c) = r - c, the first row holding the north.
HdfLayout asterSpec()
{
    HdfLayout layout;
    layout.rows = 2000, layout.cols = 2300;
    layout.sample = [](std::vector<std::uint8_t>& out, std::size_t i) {
        put16(out, std::uint32_t(std::int32_t(i / 2300) - std::int32_t(i % 2300)) & 0xFFFF);
    };
    return layout;
}

void copyShapefile(const std::string& toBase)
{
    for (const char* ext : {".shp", ".shx", ".dbf"})
        std::filesystem::copy_file(testData(std::string("storml_contours_12") + ext), toBase + ext);
}

} // namespace

TEST_F(OpenFixture, AsterHdfOpensNorthUpAndMarksTheWindow)
{
    TempDir dir;
    writeBytes(dir.file("tile.hdf"), hdfFile(asterSpec()).bytes);
    open(dir.file("tile.hdf"));
    const GraphicsModel& model = g.model();
    ASSERT_EQ(model.imageRows(), 2000);
    EXPECT_EQ(model.elevationArray(0, 5), -5);       // the first row of the data set at the top
    EXPECT_EQ(model.imageArray(1234, 34), 1200);
    EXPECT_TRUE(model.demTileLoaded && model.asterTileLoaded && !model.elevationMode);
    EXPECT_TRUE(m.openExtension().empty());
    EXPECT_EQ(m.session().inputKind, InputKind::SessionGridInput);
    EXPECT_TRUE(m.session().sizeFromInput);
    // A data set one byte shorter than its dimensions: the notice, then the samples are read.
    HdfLayout shortSet = asterSpec();
    shortSet.lengthDelta = -1;
    writeBytes(dir.file("short.hdf"), hdfFile(shortSet).bytes);
    open(dir.file("short.hdf"));
    EXPECT_EQ(messages, QStringList{"Error!: " + kLengthCheckText});
    // Dimensions the file cannot hold: nothing loaded.
    HdfLayout wrong = asterSpec();
    wrong.dimensions = 3;
    writeBytes(dir.file("wrong.hdf"), hdfFile(wrong).bytes);
    g.model().elevationArray(0, 0) = 77;
    open(dir.file("wrong.hdf"));
    EXPECT_TRUE(log().contains("Image Size Error"));
    EXPECT_EQ(model.elevationArray(0, 0), 77);
}

TEST_F(OpenFixture, ErTileAsksItsCornerAndLoadsAsAnErTile)
{
    TempDir dir;
    writeBytes(dir.file("aus_dem_erm"), erTileFromRealBlock());
    InputDialogAnswers answers;
    answers.corners = {{"", "148"}, {"-35", "east"}, {"-35", "148"}};
    answerOther = std::ref(answers);
    open(dir.file("aus_dem_erm"));
    EXPECT_EQ(dialogs, (QStringList{"Australian ERM Data Entry Form", "Error!", "Conversion Error"}));
    EXPECT_EQ(messages, (QStringList{"Error!: Please enter a value in each text box.",
                                     "Conversion Error: Text box entry must be an integer!"}));
    const QStringList lines = log();
    EXPECT_EQ(lines.mid(lines.size() - 6), (QStringList{"aus_dem_erm", "Latitude is:  -35", "Longitude is:  148",
                                                         "opened file successfully", " ",
                                                         "File size is 964516 bytes."}));
    const GraphicsModel& model = g.model();
    EXPECT_TRUE(model.erTileLoaded);
    EXPECT_FALSE(model.demTileLoaded);
    EXPECT_EQ(model.erCornerLatitude, -35);
    EXPECT_EQ(model.erCornerLongitude, 148);
    ASSERT_EQ(model.imageRows(), 401);
    EXPECT_EQ(model.elevationArray(8, 14), 38);   // north row first, as the file holds it
    // The readout spans 1.5 degrees of longitude and 1 of latitude from the corner.
    const auto readout = model.tileReadoutAt(601, 0);
    ASSERT_TRUE(readout);
    EXPECT_DOUBLE_EQ(readout->longitude, 149.5);
    EXPECT_DOUBLE_EQ(readout->latitude, -34.0);

    // A file of another size is not an ER tile: nothing changes but the corner.
    writeText(dir.file("x_aus_dem_erm"), "short");
    answers.corners = {{"-20", "130"}};
    open(dir.file("x_aus_dem_erm"));
    EXPECT_EQ(log().last(), "This does not appear to be an ER file.");
    EXPECT_EQ(model.erCornerLatitude, -20);
    EXPECT_EQ(model.elevationArray(8, 14), 38);
}

TEST_F(OpenFixture, ShapefileAsksMaxspanAndRunInterpolatesIt)
{
    TempDir dir;
    const std::string base = dir.file("contours.v1/lines");
    std::filesystem::create_directories(dir.file("contours.v1"));
    copyShapefile(base);
    InputDialogAnswers answers;
    answerOther = std::ref(answers);
    m.beepPauseMs = 0;
    open(base + ".shp");
    SessionState& s = m.session();
    EXPECT_EQ(dialogs, (QStringList{"dataEntryForm", "Shape File Scaling Limits"}));
    EXPECT_EQ(s.inputKind, InputKind::ShapefileInput);
    EXPECT_TRUE(s.sizeFromInput);
    EXPECT_EQ(s.MAXSPAN, 200);
    EXPECT_EQ(s.numberElevationRows, 0);
    EXPECT_EQ(s.lsqrIterations, 3);
    EXPECT_EQ(log().last(), "MAXSPAN is:  200");
    EXPECT_TRUE(m.action("actionRunGridmend")->isEnabled());
    EXPECT_FALSE(g.isVisible());

    m.action("actionRunGridmend")->trigger();
    EXPECT_EQ(log().last(), "Done interpolating file.");
    ASSERT_TRUE(s.solutionGrid);
    EXPECT_EQ(s.numberElevationRows, s.solutionGrid->rows());
    EXPECT_LE(std::max(s.solutionGrid->rows(), s.solutionGrid->cols()), 201);
    EXPECT_GE(std::max(s.solutionGrid->rows(), s.solutionGrid->cols()), 200);
    // The twelve contours lie between 2490 and 2930 m; far from them a hundred relaxation sweeps leave the
    // surface near the unknown start 0. Nothing overshoots.
    const auto [low, high] = std::minmax_element(s.solutionGrid->cells().begin(), s.solutionGrid->cells().end());
    EXPECT_GT(*low, -1.0);
    EXPECT_GT(*high, 2400.0);
    EXPECT_LT(*high, 2931.0);
    EXPECT_TRUE(m.action("actionSaveAsciiDem")->isEnabled());
}

TEST_F(OpenFixture, AShapefileThatIsNotOneIsRefusedAtRunAndTheProgramGoesOn)
{
    TempDir dir;
    copyShapefile(dir.file("bad"));
    auto shp = readBytes(dir.file("bad.shp"));
    shp[2] = 0x12;   // file code 9994 no more
    writeBytes(dir.file("bad.shp"), shp);
    InputDialogAnswers answers;
    answerOther = std::ref(answers);
    open(dir.file("bad.shp"));
    m.action("actionRunGridmend")->trigger();
    const QStringList lines = log();
    EXPECT_EQ(lines.mid(lines.size() - 2), (QStringList{"This does not look like a proper .shp file.", "Exiting."}));
    EXPECT_FALSE(m.session().solutionGrid);
    EXPECT_FALSE(m.action("actionSaveAsciiDem")->isEnabled());

    // The program is still there: the next Open works.
    open(testData("storml_elev_utm12.dem"));
    EXPECT_EQ(g.model().imageRows(), 107);
}

TEST_F(OpenFixture, ErMergeCommandShowsTheRawValuePicture)
{
    TempDir dir;
    auto tile = erTileFromRealBlock();
    ASSERT_EQ(tile.size(), 964516u);
    const std::uint8_t thousand[4] = {0x44, 0x7A, 0x00, 0x00};   // 1000.0 at row 1, column 0
    std::copy(thousand, thousand + 4, tile.begin() + 512 + 4 * 601);
    writeBytes(dir.file("my_aus_dem_erm"), tile);
    InputDialogAnswers answers;
    answers.corners = {{"-35", "148"}};
    answerOther = std::ref(answers);
    const QString path = QString::fromStdString(dir.file("my_aus_dem_erm"));
    filedialogs::queueAnswers({path});
    m.action("actionOpenErMergeDem")->trigger();
    EXPECT_EQ(filedialogs::lastFilter(), "ER Mapper Files|aus_dem_erm");
    EXPECT_EQ(log().mid(1), (QStringList{path, " ", path, "aus_dem_erm", "Latitude is:  -35", "Longitude is:  148",
                                         "opened file successfully", " ", "File size is 964516 bytes."}));
    auto* window = registry.find<ErImageWindow>();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "Australian ER Image Form");
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(window->picture().size(), QSize(601, 401));
    EXPECT_EQ(window->picture().pixel(0, 1), qRgb(0x00, 0x03, 0xE8));
    EXPECT_EQ(window->picture().pixel(16, 26), qRgb(0, 0, 139));
    EXPECT_FALSE(g.isVisible());   // nothing goes to the graphics window
    EXPECT_FALSE(g.model().holdsContent());
    EXPECT_EQ(g.model().erCornerLatitude, -35);

    filedialogs::queueAnswers({"/tiles/dem.ers"});
    dialogs.clear();
    m.action("actionOpenErMergeDem")->trigger();
    EXPECT_EQ(log().last(), "Invalid file type.  File name must be aus_dem_erm");
    EXPECT_TRUE(dialogs.isEmpty());
}

TEST(OpenDialog, TheFirstOpenStartsInTheSamplesWithARealTile)
{
    const QString samples = filedialogs::samplesFolder();
    ASSERT_FALSE(samples.isEmpty());
    EXPECT_EQ(QFileInfo(samples + "/N49E011.hgt").size(), 2 * 1201 * 1201);
    filedialogs::setFirstOpenFolder(samples);
    EXPECT_NE(filedialogs::makeDialog(nullptr, "dem|*.dem", ".dem", true)->directory().absolutePath(), samples);
    EXPECT_EQ(filedialogs::makeDialog(nullptr, kOpenFilter, kOpenDefaultExtension, false)->directory().absolutePath(),
              samples);
}

TEST(OpenDialog, TakesAnExistingNameWithoutExtensionAsItIs)
{
    TempDir dir;
    writeText(dir.file("aus_dem_erm"), "tile");
    writeText(dir.file("map.bmp"), "picture");
    const std::pair<const char*, const char*> cases[] = {{"aus_dem_erm", "aus_dem_erm"}, {"map", "map.bmp"}};
    for (const auto& [typed, chosen] : cases) {
        const auto dialog = filedialogs::makeDialog(nullptr, kOpenFilter, kOpenDefaultExtension, false);
        dialog->setDirectory(QString::fromStdString(dir.path().string()));
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(typed);
        // A refused name raises the dialog's own "not found" box: close it so that the test fails.
        QTimer::singleShot(2000, [] {
            if (QWidget* box = QApplication::activeModalWidget()) box->close();
        });
        QMetaObject::invokeMethod(dialog.get(), "accept");   // the dialog's Open button
        EXPECT_EQ(dialog->result(), QDialog::Accepted) << typed;
        EXPECT_EQ(dialog->selectedFiles().value(0).toStdString(), dir.file(chosen)) << typed;
    }
    // A save dialog still appends its default extension.
    const auto save = filedialogs::makeDialog(nullptr, "dem|*.dem", ".dem", true);
    save->setDirectory(QString::fromStdString(dir.path().string()));
    save->findChild<QLineEdit*>("fileNameEdit")->setText("aus_dem_erm");
    EXPECT_EQ(save->selectedFiles().value(0).toStdString(), dir.file("aus_dem_erm.dem"));
}
