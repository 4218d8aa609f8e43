// The coarse-tile repair through the windows: Open of a DTED1 tile, a merge
// source, expand, Run, the write-back and "Save DTED1".
#include "graphics/CoarsePatch.h"
#include "graphics/GraphicsLoaders.h"
#include "graphics/MergeLoaders.h"
#include "ui/ColourImageWindow.h"
#include "DtedFiles.h"
#include "GridArt.h"
#include "PatchScene.h"
#include "SrtmWindowFixture.h"

#include <tuple>

namespace {

struct CoarsePatchWindows : SrtmWindowFixture {
    TempDir dir;

    ColourImageWindow* window(const char* objectName) const { return m.findChild<ColourImageWindow*>(objectName); }
    /// A main-window command answered with the path.
    void command(const char* action, const std::string& path) { answered(m.action(action), path); }
};

} // namespace

TEST_F(CoarsePatchWindows, SeparateRoadFromADted0TileThroughTheMenus)
{
    const PatchScene scene;
    writeBytes(dir.file("n49_e011.dt1"), dtedFileOfTile(scene.tile, {"0110000.0E", "490000N"}));
    command("actionOpen", dir.file("n49_e011.dt1"));
    ASSERT_EQ(model.imageRows(), 1201);
    EXPECT_EQ(std::tuple(model.demTileLoaded, model.tileLatitude, model.tileLongitude, model.dted1Header.size(),
                         m.session().inputKind),
              std::tuple(true, 49.0, 11.0, 3436u, InputKind::SessionGridInput));

    writeBytes(dir.file("n49_e011.dt0"), dtedFileOfTile(scene.dted0, {"0110000.0E", "490000N"}));
    command("actionOpenDted0MergeDem", dir.file("n49_e011.dt0"));
    EXPECT_EQ(model.dted0Grid, scene.dted0);
    ColourImageWindow* base = window(kDted0BaseFileName);
    ASSERT_TRUE(base);
    EXPECT_EQ(base->picture().pixel(5, 7) & 0xFFFFFFu, std::uint32_t(scene.dted0(7, 5)));

    g.action("actionExpandDted0Dem")->trigger();
    ColourImageWindow* reference = window("interpolatedReferenceImage");
    ASSERT_TRUE(model.expandedGrid && reference);
    EXPECT_EQ(reference->picture().pixel(10, 10) & 0xFFFFFFu, std::uint32_t(scene.dted0(1, 1)));

    trigger("actionInputData");   // the relaxation alone
    m.action("actionRunGridmend")->trigger();
    // The Run worked on a copy of the expanded grid and handed the solution over.
    EXPECT_EQ(std::tuple(m.session().fromGraphicsWindow, bool(model.expandedGrid), model.interpolatedGrid),
              std::tuple(false, true, m.session().solutionGrid));
    g.action("actionAssignInterpolated")->trigger();
    EXPECT_FALSE(model.interpolatedGrid);
    EXPECT_TRUE(scene.knownPostingsKept(model.elevationArray));
    EXPECT_TRUE(scene.latticeInVoidsExact(model.elevationArray));
    EXPECT_LT(scene.voidRmse(model.elevationArray), 25.0);

    // "Save DTED1" writes the solution behind the kept header; reopened it is north up.
    command("actionSaveDted1", dir.file("solution.dt1"));
    GraphicsModel back;
    NullReporter quiet;
    ASSERT_TRUE(loadDted1Tile(dir.file("solution.dt1"), back, quiet));
    EXPECT_EQ(cellsAt(back.elevationArray, {{0, 0}, {1200, 1200}}),
              (std::vector{scene.dted0(0, 0), scene.dted0(120, 120)}));
    EXPECT_EQ(back.tileLatitude, 49);
}
