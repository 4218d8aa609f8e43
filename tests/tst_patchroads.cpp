// The coarse-tile repair road by road, on the graphics window's model and the
// Run command: a synthetic tile with voids patched from a DTED0 tile made from
// its truth, separately (expand, Run, assign).
#include "app/RunCommand.h"
#include "app/SessionState.h"
#include "graphics/CoarsePatch.h"
#include "graphics/GraphicsModel.h"
#include "GridArt.h"
#include "PatchScene.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

/// The parameters of the relaxation alone, as the parameters dialog converts them.
void relaxationParameters(SessionState& s, int sweeps)
{
    s.lsqrIterations = 0;
    s.laplacianIterations = sweeps;
    s.polishIterations = 0;
    s.scaleFactor = 1.0;
}

} // namespace

TEST(PatchRoads, SeparatelyTheInterpolatedDted0FillsOnlyTheVoids)
{
    const PatchScene scene;
    GraphicsModel g;
    g.loadTile(scene.tile);
    g.dted0Grid = scene.dted0;
    SessionState s;
    s.inputKind = InputKind::SessionGridInput;   // as "&Open" of the tile left it
    relaxationParameters(s, 200);
    RecordingReporter rec;
    ASSERT_TRUE(expandDted0(g, s, rec));
    ASSERT_EQ(runGridmend(s, g, rec), RunOutcome::Completed);
    ASSERT_TRUE(s.solutionGrid);
    // Handed over as a copy; the Run worked on a copy of the expanded grid.
    EXPECT_EQ(std::tuple(s.fromGraphicsWindow, g.interpolatedGrid, bool(g.expandedGrid)),
              std::tuple(false, s.solutionGrid, true));
    const RealGrid solution = *s.solutionGrid;
    // Whole numbers, south row first: the coarse postings come back where they were.
    EXPECT_EQ(cellsAt(solution, {{1200, 0}, {0, 1200}}), (std::vector<double>{scene.dted0(0, 0), scene.dted0(120, 120)}));

    ASSERT_TRUE(assignInterpolated(g, rec));
    EXPECT_FALSE(g.interpolatedGrid);
    EXPECT_EQ(*s.solutionGrid, solution);   // what View and Save use is untouched
    EXPECT_EQ(g.imageArray, g.elevationArray);
    EXPECT_TRUE(scene.knownPostingsKept(g.elevationArray) && scene.latticeInVoidsExact(g.elevationArray));
    // 200 sweeps leave the surface between the coarse postings unconverged (about 21 m;
    // about 5 m after 1000 sweeps).
    EXPECT_LT(scene.voidRmse(g.elevationArray), 25.0);
}
