// gridmend-cli patch: a tile's null postings patched from a coarser tile by the
// graphics window's commands, in the order a user clicks them: "&Open" of the
// tile, the merge opener of the source, the expansion or DTED1 patch, then the
// interpolation ("Input Data" with the solver parameters, Run) and the
// assignment or write-back; the tile is written as convert writes it.
#include "app/cli/CliCommands.h"
#include "app/cli/CliInputs.h"
#include "app/cli/CliOptions.h"

#include "app/core/Reporter.h"
#include "app/RunCommand.h"
#include "app/SessionState.h"
#include "app/SolutionOutputs.h"
#include "app/OpenDispatch.h"
#include "graphics/CoarsePatch.h"
#include "graphics/GraphicsModel.h"

#include <algorithm>
#include <cstdio>

namespace {

const std::map<std::string, int> kOptions = withInputOptions(withOutputOptions(
    {{"dted0", 1}, {"srtm30", 1}, {"dted1", 1}, {"coupled", 0}, {"null", 1}, {"lsqr", 1}, {"laplacian", 1},
     {"refining", 1}, {"scale", 1}, {"surface", 1}}));

int fail(const std::string& message)
{
    std::fflush(stdout);
    std::fprintf(stderr, "gridmend-cli patch: %s\n", message.c_str());
    return 1;
}

/// "Input Data" after the parameters dialog, then "Run Gridmend".
bool interpolate(SessionState& session, GraphicsModel& graphics, const CliOptions& options, Reporter& reporter)
{
    cliSubmitSolverParameters(session, options, true, reporter);
    graphics.handOverInputData(session);
    return runGridmend(session, graphics, reporter) == RunOutcome::Completed;
}

bool holdsNullPostings(const GraphicsModel& graphics)
{
    auto cells = graphics.elevationArray.cells();
    return std::any_of(cells.begin(), cells.end(), [&](std::int32_t v) { return v < graphics.nullDataDefinition; });
}

/// "Expand DTED0 DEM" or "Expand SRTM30 DEM"; an empty text when the expanded grid is held.
std::string expand(PatchSource source, GraphicsModel& graphics, SessionState& session, Reporter& reporter)
{
    if (source == PatchSource::Dted0)
        return expandDted0(graphics, session, reporter) ? "" : "Expand DTED0 DEM did not expand the DTED0 tile";
    IntGrid block;
    switch (expandSrtm30(graphics, session, reporter, block)) {
    case Srtm30Expansion::Expanded: return "";
    case Srtm30Expansion::OutsideTile:
        return std::string(coarsepatch::kOutsideLine1) + " " + coarsepatch::kOutsideLine2;
    case Srtm30Expansion::NotHeld: break;
    }
    return "Expand SRTM30 DEM found no SRTM30 tile";
}

} // namespace

int cliPatch(const std::vector<std::string>& args, Reporter& reporter)
{
    const CliOptions options(args, kOptions);
    options.requirePositional({"TILE", "OUT"});
    const std::string tile = options.positional()[0], out = options.positional()[1];
    const int sources = int(options.has("dted0")) + int(options.has("srtm30")) + int(options.has("dted1"));
    if (sources != 1) throw UsageError("give exactly one of --dted0, --srtm30 and --dted1");
    const PatchSource source = options.has("dted0")    ? PatchSource::Dted0
                               : options.has("srtm30") ? PatchSource::Srtm30
                                                       : PatchSource::Dted1;
    const bool coupled = options.has("coupled");
    if (coupled && source == PatchSource::Dted1) throw UsageError("--coupled patches from --dted0 or --srtm30");
    const OpenRow& row = cliInputRow(tile);
    if (row.handling != OpenHandling::IntoGraphics) throw UsageError("'" + tile + "' is not a tile");
    const SolutionOutput& format = cliOutputFormat(out, false);
    const OutputOptions outputOptions = cliOutputOptions(options, out);
    cliCheckOutput(out);

    // "&Open" of the tile, then "Set Null Data Definition".
    SessionState session;
    GraphicsModel graphics;
    if (!cliOpenGrid(row, tile, options, session, graphics, reporter) || !graphics.holdsContent())
        return fail("nothing was loaded from " + tile);
    if (auto v = options.integer("null")) graphics.nullDataDefinition = *v;

    const std::string sourcePath =
        *options.text(source == PatchSource::Dted0 ? "dted0" : source == PatchSource::Srtm30 ? "srtm30" : "dted1");
    if (!cliOpenPatchSource(source, sourcePath, options, graphics, session, reporter))
        return fail("nothing was loaded from " + sourcePath);

    if (source == PatchSource::Dted1) {
        const bool srtm1 = graphics.imageRows() == coarsepatch::kSrtm1Side;
        const bool patched = srtm1 ? expandDted1AndPatchSrtm1(graphics, reporter) : patchFromDted1(graphics, reporter);
        if (!patched) return fail(srtm1 ? "Expand DTED1 did not patch the tile" : "Cut Patches from DTED1 File did not patch the tile");
        if (holdsNullPostings(graphics) && !interpolate(session, graphics, options, reporter))
            return fail("the interpolation did not run");
    } else {
        if (const std::string refused = expand(source, graphics, session, reporter); !refused.empty())
            return fail(refused);
        if (coupled && !insertExpanded(graphics, session, reporter))
            return fail("Insert Expanded DTED0 or SRTM30 into SRTM-3 did not insert the expanded grid");
        if (!interpolate(session, graphics, options, reporter)) return fail("the interpolation did not run");
        if (!coupled && !assignInterpolated(graphics, reporter))
            return fail("Assign Interpolated Elevations did not assign the interpolated grid");
    }
    if (!cliWriteGraphicsArray(out, format, graphics, outputOptions, reporter)) return fail("cannot write " + out);
    return 0;
}
