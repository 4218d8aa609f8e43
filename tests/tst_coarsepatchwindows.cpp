// The coarse-tile repair through the windows: "&Open" of a DTED1 tile, the
// merge openers with their picture windows, the graphics window's "DEM
// Interpolation" commands, Run, "Save DTED1" and "Resample DEM".
#include "app/MainWindow.h"
#include "app/WindowRegistry.h"
#include "graphics/CoarsePatch.h"
#include "graphics/GraphicsLoaders.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/MergeLoaders.h"
#include "graphics/ResampleDialog.h"
#include "ui/ColourImageWindow.h"
#include "ui/ErrorWindow.h"
#include "ui/FileDialogs.h"
#include "ui/Modal.h"
#include "DtedFiles.h"
#include "PatchScene.h"
#include "ProgramFixture.h"
#include "TestFiles.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

struct CoarsePatchWindows : ProgramFixture {
    QStringList dialogs;
    std::function<int(QDialog&)> answer = [](QDialog&) { return 0; };
    TempDir dir;

    void SetUp() override
    {
        m.beepPauseMs = 0;
        modal::setAnswerer([this](QDialog& d) {
            if (auto* e = qobject_cast<ErrorWindow*>(&d)) dialogs << "Error!: " + e->text();
            else dialogs << d.windowTitle();
            return answer(d);
        });
    }
    ColourImageWindow* window(const char* objectName) const
    {
        return m.findChild<ColourImageWindow*>(objectName);
    }
    /// A main-window command answered with the path.
    void command(const char* action, const std::string& path) { answered(m.action(action), path); }
    /// "Input Data" with the relaxation alone, then "Run Gridmend".
    void inputDataAndRun(const char* laplacian = "200")
    {
        answer = [laplacian](QDialog& d) {
            if (d.objectName() != "dataEntryForm") return 0;
            d.findChild<QLineEdit*>("lsqrEdit")->setText("0");
            d.findChild<QLineEdit*>("laplacianEdit")->setText(laplacian);
            d.findChild<QLineEdit*>("refiningEdit")->setText("0");
            d.findChild<QPushButton*>("submitButton")->click();
            return d.result();
        };
        g.action("actionInputData")->trigger();
        ASSERT_TRUE(m.action("actionRunGridmend")->isEnabled());
        m.action("actionRunGridmend")->trigger();
    }
    /// The scene's tile as a DTED1 cell N49 E011, opened with "&Open".
    void openSceneTile(const PatchScene& scene)
    {
        writeBytes(dir.file("n49_e011.dt1"), dtedFileOfTile(scene.tile, {"0110000.0E", "490000N"}));
        command("actionOpen", dir.file("n49_e011.dt1"));
    }
};

} // namespace

TEST_F(CoarsePatchWindows, SeparateRoadFromADted0TileThroughTheMenus)
{
    const PatchScene scene;
    openSceneTile(scene);
    ASSERT_TRUE(g.isVisible());
    ASSERT_EQ(model.imageRows(), 1201);
    EXPECT_TRUE(model.demTileLoaded);
    EXPECT_EQ(model.tileLatitude, 49);
    EXPECT_EQ(model.tileLongitude, 11);
    EXPECT_EQ(model.dted1Header.size(), 3436u);
    EXPECT_EQ(m.session().inputKind, InputKind::SessionGridInput);

    writeBytes(dir.file("n49_e011.dt0"), dtedFileOfTile(scene.dted0, {"0110000.0E", "490000N"}));
    command("actionOpenDted0MergeDem", dir.file("n49_e011.dt0"));
    EXPECT_EQ(filedialogs::lastFilter(), kDted0FileFilter);
    ASSERT_TRUE(model.dted0Grid);
    EXPECT_EQ(*model.dted0Grid, scene.dted0);
    ColourImageWindow* base = window(kDted0BaseFileName);
    ASSERT_TRUE(base);
    EXPECT_TRUE(base->isVisible());
    EXPECT_EQ(base->windowTitle(), "DTED0 Base File");
    EXPECT_EQ(base->size(), QSize(121, 121));
    EXPECT_EQ(base->picture().pixel(5, 7) & 0xFFFFFFu, std::uint32_t(scene.dted0(7, 5)));
    EXPECT_TRUE(m.openExtension().empty());

    g.action("actionExpandDted0Dem")->trigger();
    ASSERT_TRUE(model.expandedGrid);
    EXPECT_FALSE(model.dted0Grid);
    ColourImageWindow* reference = window("interpolatedReferenceImage");
    ASSERT_TRUE(reference);
    EXPECT_TRUE(reference->isVisible());
    EXPECT_EQ(reference->windowTitle(), "Interpolated Reference Image");
    EXPECT_EQ(reference->picture().size(), QSize(1201, 1201));
    EXPECT_EQ(reference->picture().pixel(10, 10) & 0xFFFFFFu, std::uint32_t(scene.dted0(1, 1)));
    EXPECT_EQ(m.session().inputKind, InputKind::GraphicsGridInput);

    inputDataAndRun();
    ASSERT_TRUE(model.interpolatedGrid);
    EXPECT_TRUE(log().contains("Done interpolating file."));
    g.action("actionAssignInterpolated")->trigger();
    EXPECT_FALSE(model.interpolatedGrid);
    EXPECT_TRUE(scene.knownPostingsKept(model.elevationArray));
    EXPECT_TRUE(scene.latticeInVoidsExact(model.elevationArray));
    EXPECT_LT(scene.voidRmse(model.elevationArray), 25.0);

    // "Save DTED1" writes the solution behind the kept header; reopened it is north up.
    ASSERT_TRUE(m.action("actionSaveDted1")->isEnabled());
    command("actionSaveDted1", dir.file("solution.dt1"));
    EXPECT_EQ(filedialogs::lastFilter(), "DTED1|*.dt1");
    EXPECT_EQ(log().last(), QString::fromStdString(dir.file("solution.dt1")));
    GraphicsModel back;
    NullReporter quiet;
    ASSERT_TRUE(loadDted1Tile(dir.file("solution.dt1"), back, quiet));
    EXPECT_EQ(back.elevationArray(0, 0), scene.dted0(0, 0));
    EXPECT_EQ(back.elevationArray(1200, 1200), scene.dted0(120, 120));
    EXPECT_EQ(back.tileLatitude, 49);
}

TEST_F(CoarsePatchWindows, MergeOpenersRefuseOtherTypesAndSaveDted1RefusesWithoutAHeader)
{
    command("actionOpenDted0MergeDem", "/data/n43.DT0");
    EXPECT_EQ(log().last(), "Invalid file type.  File must be .dt0");
    EXPECT_EQ(m.openExtension(), ".DT0");
    command("actionOpenDted1MergeDem", "/data/n43.dt0");
    EXPECT_EQ(log().last(), "Invalid file type.  File must be .dt1");
    EXPECT_EQ(filedialogs::lastFilter(), kDted1FileFilter);
    const int before = log().size();
    command("actionOpenSrtm30MergeDem", "/data/E020N40.DEM");
    EXPECT_EQ(filedialogs::lastFilter(), kSrtm30FileFilter);
    EXPECT_EQ(log().size(), before + 2);   // the path and " " only
    EXPECT_TRUE(m.openExtension().empty());
    EXPECT_FALSE(g.isVisible());

    m.session().solutionGrid = RealGrid(4, 4, 1.0);
    m.enableAfterRun();
    command("actionSaveDted1", dir.file("x.dt1"));
    EXPECT_EQ(log().last(), QString(dted::kNoHeaderLine));
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.dt1")));
}

TEST_F(CoarsePatchWindows, Srtm30BlockIsCutExpandedAndShownOrTheErrorWindowExplainsWhyNot)
{
    const PatchScene scene;
    openSceneTile(scene);
    // The SRTM30 tile e010n50 covers N49 E011 at rows 0..119, columns 120..239; only its
    // first 120 rows are in the file (the rest reads as -32768).
    std::vector<std::uint8_t> rows;
    for (int r = 0; r < 120; ++r)
        for (int c = 0; c < 4800; ++c) {
            const int v = c >= 120 && c < 240 ? scene.truth(std::min(10 * r, 1200), 10 * (c - 120)) : -9999;
            rows.push_back(std::uint8_t((v >> 8) & 0xFF));
            rows.push_back(std::uint8_t(v & 0xFF));
        }
    writeBytes(dir.file("e010n50.dem"), rows);
    command("actionOpenSrtm30MergeDem", dir.file("e010n50.dem"));
    ASSERT_TRUE(model.srtm30Tile);
    EXPECT_EQ(model.srtm30latitude, 50);
    EXPECT_EQ(model.srtm30longitude, 10);
    EXPECT_TRUE(log().contains("e010n50"));

    g.action("actionExpandSrtm30Dem")->trigger();
    ASSERT_TRUE(model.expandedGrid);
    EXPECT_FALSE(model.srtm30Tile);
    EXPECT_TRUE(dialogs.isEmpty());
    const QStringList lines = log();
    EXPECT_TRUE(lines.contains("srtm30RowZero is:  0"));
    EXPECT_TRUE(lines.contains("srtm30ColumnZero is:  120"));
    ColourImageWindow* block = window("srtm30Image");
    ASSERT_TRUE(block && block->isVisible());
    EXPECT_EQ(block->windowTitle(), "SRTM30Image");
    EXPECT_EQ(block->picture().size(), QSize(120, 120));
    EXPECT_EQ((*model.expandedGrid)(1190, 1190), scene.truth(1190, 1190));
    EXPECT_EQ((*model.expandedGrid)(1200, 1200), 0.0);

    // A tile outside the SRTM30 tile: the "Error!" window, nothing else.
    command("actionOpenSrtm30MergeDem", dir.file("e010n50.dem"));
    model.tileLatitude = -20;
    g.action("actionExpandSrtm30Dem")->trigger();
    EXPECT_EQ(dialogs, QStringList{"Error!: It looks like your SRTM tile lies outside the boundaries\nof your SRTM30 "
                                   "tile."});
    EXPECT_TRUE(model.srtm30Tile);
}

TEST_F(CoarsePatchWindows, Dted1MergeEnablesExpandDted1AndCutPatchesFillsTheVoids)
{
    const PatchScene scene;
    openSceneTile(scene);
    EXPECT_FALSE(g.action("actionExpandDted1")->isEnabled());
    EXPECT_TRUE(g.action("actionCutPatchesFromDted1")->isEnabled());
    writeBytes(dir.file("truth.dt1"), dtedFileOfTile(scene.truth, {"0110000.0E", "490000N"}));
    command("actionOpenDted1MergeDem", dir.file("truth.dt1"));
    const auto opened = readBytes(dir.file("n49_e011.dt1"));
    EXPECT_EQ(model.dted1Header, std::vector<std::uint8_t>(opened.begin(), opened.begin() + 3436));   // not replaced
    ASSERT_TRUE(model.dted1Grid);
    EXPECT_TRUE(g.action("actionExpandDted1")->isEnabled());
    ColourImageWindow* merge = window(kDted1MergeImageName);
    ASSERT_TRUE(merge && merge->isVisible());
    EXPECT_EQ(merge->windowTitle(), "DTED1 Merge Image");
    EXPECT_EQ(merge->picture().size(), QSize(1201, 1201));

    g.action("actionCutPatchesFromDted1")->trigger();
    EXPECT_EQ(model.elevationArray, scene.truth);
    EXPECT_TRUE(model.dted1Grid);

    g.action("actionExpandDted1")->trigger();   // an SRTM-3 tile: refused
    EXPECT_EQ(log().last(), "This menu selection is for interpolating SRTM-1 files only!");
    EXPECT_TRUE(merge->isVisible());

    model.loadTile(IntGrid(3601, 3601, -32768));
    g.action("actionExpandDted1")->trigger();
    EXPECT_EQ(model.elevationArray(3, 3), scene.truth(1, 1));
    EXPECT_EQ(model.elevationArray(3, 4), -32768);
    EXPECT_FALSE(model.dted1Grid);
    EXPECT_FALSE(merge->isVisible());
    EXPECT_FALSE(g.action("actionExpandDted1")->isEnabled());
}

TEST_F(CoarsePatchWindows, ResampleParametersDialog)
{
    ResampleDialog* dialog = m.findChild<ResampleDialog*>();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), "Resample Parameters");
    EXPECT_TRUE(dialog->button(2)->isChecked());
    EXPECT_EQ(dialog->button(2)->text(), "Resample 1:2");
    EXPECT_EQ(dialog->button(4)->text(), "Resample 1:4");
    EXPECT_EQ(dialog->button(8)->text(), "Resmple 1:8");

    model.loadTile(IntGrid(100, 90, 7));
    answer = [](QDialog& d) {
        d.findChild<QPushButton*>("cancelButton")->click();
        return d.result();
    };
    g.action("actionResampleDem")->trigger();
    EXPECT_EQ(model.imageRows(), 100);
    answer = [](QDialog& d) {
        d.findChild<QRadioButton*>("resample8")->setChecked(true);
        d.findChild<QPushButton*>("submitButton")->click();
        return d.result();
    };
    g.action("actionResampleDem")->trigger();
    EXPECT_EQ(dialogs, (QStringList{"Resample Parameters", "Resample Parameters"}));
    EXPECT_EQ(model.imageRows(), 12);
    EXPECT_EQ(model.imageColumns(), 11);
    EXPECT_EQ(dialog->rate(), 8);   // the choice is kept
}
