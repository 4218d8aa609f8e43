// A real SRTM tile (a crop of N49E011) through the windows as a user works on
// it: Open with its corner and readout, the null-data and sea-level dialogs,
// "Input Data" or "Interpolate Subset Array", Run with its write-back, and the
// two SRTM save commands.
#include "CropVoid.h"
#include "SrtmWindowFixture.h"

#include "app/core/GridOps.h"
#include "graphics/PictureView.h"
#include "GridArt.h"
#include "MouseMoves.h"

#include <QLabel>
#include <QTest>
#include <algorithm>
#include <tuple>

namespace {

struct TileWindows : SrtmWindowFixture {
    IntGrid crop = readTileFile(testData(kTileCrop));

    void openCrop() { open(testData(kTileCrop)); }
    void run() { m.action("actionRunGridmend")->trigger(); }
    void expectVoidsFilled(const IntGrid& result)
    {
        ASSERT_GE(result.rows(), kCropSide);
        expectCropFilled(result, crop);
    }
};

} // namespace

TEST_F(TileWindows, OpenTakesTheCornerFromTheNameAndShowsTheReadout)
{
    openCrop();
    const QString path = QString::fromStdString(testData(kTileCrop));
    EXPECT_EQ(log().mid(1), (QStringList{path, " ", "N49E011.hgt", "N49E011", "11", "49", "opened file successfully",
                                         " "}));
    EXPECT_EQ(std::tuple(g.isVisible(), model.demTileLoaded, model.tileLatitude, model.tileLongitude,
                         m.session().inputKind),
              std::tuple(true, true, 49.0, 11.0, InputKind::SessionGridInput));
    moveMouse(g.pictureView(), QPoint(50, 50));
    auto label = [&](const char* name) { return m.findChild<QLabel*>(name)->text(); };
    // 11 + 50 / 101, 49 + 51 / 101
    EXPECT_EQ((QStringList{label("elevationValue"), label("longitudeValue"), label("latitudeValue")}),
              (QStringList{"588.00", "11.495", "49.505"}));
}

TEST_F(TileWindows, VoidsAreFilledThroughTheWindowsAndSaved)
{
    openCrop();
    entries["nullDataDefinitionForm"] = {{"nullDataEdit", "-32000"}};
    trigger("actionSetNullDataDefinition");
    EXPECT_EQ(model.nullDataDefinition, -32000);
    trigger("actionInputData");
    EXPECT_EQ((*m.session().inputGrid)(44, 43), 0);   // below the null definition: to be filled
    run();
    expectVoidsFilled(model.elevationArray);
    EXPECT_EQ(model.imageArray, model.elevationArray);
    // The session's solution is the repaired tile, south row first.
    EXPECT_EQ(gridops::truncToIntGrid(*m.session().solutionGrid), gridops::flipped(model.elevationArray));

    TempDir dir;
    const std::string out = dir.file("repaired.hgt");
    answered(g.action("actionSaveSrtmHeightfield"), out);
    const IntGrid saved = readTileFile(out);
    expectVoidsFilled(saved);
    EXPECT_EQ(cellsAt(saved, {{kCropSide, 0}, {0, kCropSide}}), (std::vector{0, 0}));
}

TEST_F(TileWindows, SubsetRectangleIsInterpolatedAndWrittenBack)
{
    openCrop();
    g.show();
    trigger("actionInterpolateSubsetArray");
    PictureView* view = g.pictureView();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(60, 55));   // bottom-right to top-left
    moveMouse(view, QPoint(40, 40));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(30, 35));
    ASSERT_TRUE(m.session().inputGrid);
    EXPECT_EQ(std::tuple(m.session().numberElevationRows, m.session().numberElevationColumns,
                         (*m.session().inputGrid)(44 - 35, 43 - 30)),
              std::tuple(20, 30, 0));
    run();
    expectVoidsFilled(model.elevationArray);

    // A drag of zero area is refused with the rubber band's error window.
    shown.clear();
    trigger("actionInterpolateSubsetArray");
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(10, 30));
    EXPECT_EQ(shown, QStringList{"Error!: Bounding  box must have non zero area!\nHold down mouse button and drag "
                                 "the\nrubber band box."});
}

TEST_F(TileWindows, SaveSrtmWritesTheSolutionNorthUp)
{
    TempDir dir;
    m.session().solutionGrid = RealGrid(2, 3);   // row 0 is the south row
    std::ranges::copy(std::vector{10.0, 11.0, 12.0, 20.0, -2.7, 70000.0}, m.session().solutionGrid->data());
    m.enableAfterRun();
    answered(m.action("actionSaveSrtm"), dir.file("result.hgt"));
    const IntGrid saved = readTileFile(dir.file("result.hgt"));
    ASSERT_EQ(saved.rows(), 1201);
    EXPECT_EQ(cellsAt(saved, {{0, 1}, {0, 2}, {1, 0}, {2, 0}}), (std::vector{-2, 4464, 10, 0}));
}
