// "&Open" of ER Mapper tiles and
// shapefiles, and "Open Australian ER Merge DEM", driven through the windows
// as a user drives them.
#include "app/OpenDispatch.h"
#include "view/RawImageWindow.h"
#include "FormatSamples.h"
#include "OpenFixture.h"
#include "TestFiles.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>
#include <filesystem>

namespace {

/// Answers the ER corner dialog with the given texts (and the MAXSPAN dialog with 200).
struct InputDialogAnswers {
    std::vector<std::pair<QString, QString>> corners;   // one Submit per pair, in order
    int operator()(QDialog& d)
    {
        if (d.objectName() == "shapeFileScalingDialog") return submitWith(d, {{"maxSpanEdit", "200"}});
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

}   // namespace

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
    const GraphicsModel& model = g.model();
    // North row first, as the file holds it; the readout spans 1.5 degrees of longitude and 1 of latitude.
    const auto readout = model.tileReadoutAt(601, 0);
    ASSERT_TRUE(model.imageRows() == 401 && readout);
    EXPECT_EQ(std::tuple(model.erTileLoaded, model.demTileLoaded, model.erCornerLatitude, model.erCornerLongitude,
                         model.elevationArray(8, 14), readout->longitude, readout->latitude),
              std::tuple(true, false, -35, 148, 38, 149.5, -34.0));
}

TEST_F(OpenFixture, ShapefileAsksMaxspanAndRunInterpolatesIt)
{
    TempDir dir;
    const std::string base = dir.file("contours.v1/lines");
    std::filesystem::create_directories(dir.file("contours.v1"));
    for (const char* ext : {".shp", ".shx", ".dbf"})
        std::filesystem::copy_file(testData(std::string("storml_contours_12") + ext), base + ext);
    InputDialogAnswers answers;
    answerOther = std::ref(answers);
    m.beepPauseMs = 0;
    open(base + ".shp");
    SessionState& s = m.session();
    EXPECT_EQ(
        std::tuple(s.inputKind, s.MAXSPAN, s.lsqrIterations, m.action("actionRunGridmend")->isEnabled(), g.isVisible()),
        std::tuple(InputKind::ShapefileInput, 200, 3, true, false));

    m.action("actionRunGridmend")->trigger();
    EXPECT_EQ(log().last(), "Done interpolating file.");
    ASSERT_TRUE(s.solutionGrid);
    EXPECT_EQ(std::tuple(std::max(s.solutionGrid->rows(), s.solutionGrid->cols()) / 2, s.numberElevationRows,
                         m.action("actionSaveAsciiDem")->isEnabled()),
              std::tuple(100, s.solutionGrid->rows(), true));
}

TEST_F(OpenFixture, ErMergeCommandShowsTheRawValuePicture)
{
    TempDir dir;
    auto tile = erTileFromRealBlock();
    const std::uint8_t thousand[4] = {0x44, 0x7A, 0x00, 0x00};   // 1000.0 at row 1, column 0
    std::copy(thousand, thousand + 4, tile.begin() + 512 + 4 * 601);
    writeBytes(dir.file("my_aus_dem_erm"), tile);
    InputDialogAnswers answers;
    answers.corners = {{"-35", "148"}};
    answerOther = std::ref(answers);
    const QString path = QString::fromStdString(dir.file("my_aus_dem_erm"));
    filedialogs::queueAnswers({path});
    m.action("actionOpenErMergeDem")->trigger();
    EXPECT_EQ(log().last(), "File size is 964516 bytes.");
    auto* window = registry.find<ErImageWindow>();
    ASSERT_TRUE(window && window->picture().size() == QSize(601, 401));
    // Nothing goes to the graphics window.
    EXPECT_EQ(std::tuple(window->isVisible(), window->picture().pixel(0, 1), window->picture().pixel(16, 26),
                         g.isVisible(), g.model().holdsContent(), g.model().erCornerLatitude),
              std::tuple(true, qRgb(0x00, 0x03, 0xE8), qRgb(0, 0, 139), false, false, -35));

    filedialogs::queueAnswers({"/tiles/dem.ers"});
    m.action("actionOpenErMergeDem")->trigger();
    EXPECT_EQ(log().last(), "Invalid file type.  File name must be aus_dem_erm");
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
        QTimer::singleShot(2000, [] { if (QWidget* box = QApplication::activeModalWidget()) box->close(); });
        QMetaObject::invokeMethod(dialog.get(), "accept");   // the dialog's Open button
        EXPECT_EQ(std::pair(dialog->result(), dialog->selectedFiles().value(0).toStdString()),
                  std::pair(int(QDialog::Accepted), dir.file(chosen))) << typed;
    }
}
