// gridmend-cli fill: the void fill of one tile, in the order a user clicks it in
// the windows: "&Open" of the tile, "Set Null Data Definition" (--null),
// "Set Sea Level Clipping Parameters" and "Fix Sea Level Elevations"
// (--sea-level), "Input Data" or an "Interpolate Subset Array" rectangle
// (--subset) with the solver parameters, "Run Gridmend" with its write-back
// into the null postings, and "Save SRTM Heightfield".
#include "app/cli/CliCommands.h"
#include "app/cli/CliInputs.h"
#include "app/cli/CliOptions.h"

#include "app/core/Reporter.h"
#include "app/RunCommand.h"
#include "app/SessionState.h"
#include "app/SolutionOutputs.h"
#include "app/OpenDispatch.h"
#include "graphics/GraphicsModel.h"
#include "graphics/GraphicsSaves.h"
#include "graphics/NullDataRepair.h"

#include <cstdio>

namespace {

int fail(const std::string& message)
{
    std::fflush(stdout);
    std::fprintf(stderr, "gridmend-cli fill: %s\n", message.c_str());
    return 1;
}

std::map<std::string, int> fillOptions()
{
    auto options = cliSolverOptions();
    options.erase("rows");
    options.erase("columns");
    options.insert({{"null", 1}, {"sea-level", 2}, {"subset", 4}, {"mask", 1}, {"cog", 0}, {"type", 1}});
    return withInputOptions(options);
}

} // namespace

int cliFill(const std::vector<std::string>& args, Reporter& reporter)
{
    const CliOptions options(args, fillOptions());
    options.requirePositional({"TILE", "OUT"});
    const std::string in = options.positional()[0], out = options.positional()[1];
    const OpenRow& row = cliInputRow(in);
    if (row.number == kGdalRasterRow) return cliFillRaster("fill", in, out, options, reporter);
    const bool geoTiff = cliIsGeoTiffPath(out);
    const OutputOptions outputOptions = cliOutputOptions(options, out);
    if (row.handling != OpenHandling::IntoGraphics)
        throw UsageError("'" + in + "' is not a tile: fill takes elevation tiles (.hgt, ...)");
    cliCheckOutput(out);

    // "&Open"
    SessionState session;
    GraphicsModel graphics;
    graphics.interactive = false;   // nothing is shown or undone
    if (!cliOpenGrid(row, in, options, session, graphics, reporter) || !graphics.holdsTile())
        return fail("no elevation tile was loaded from " + in);

    if (auto value = options.integer("null")) setNullDataDefinition(graphics, *value, reporter);
    if (options.has("sea-level")) {
        setSeaLevelLimits(graphics, *options.integer("sea-level", 0), *options.integer("sea-level", 1), reporter);
        fixSeaLevelElevations(graphics);
    }
    graphics.imageArray = IntGrid();   // only the elevations are written: the picture goes before "Input Data"
    if (options.has("subset")) {
        const CellRect rect{*options.integer("subset", 0), *options.integer("subset", 1),
                            *options.integer("subset", 2), *options.integer("subset", 3)};
        if (!storeSubsetForInterpolation(graphics, rect, session))
            throw UsageError("--subset TOP LEFT ROWS COLS must lie inside the " + std::to_string(graphics.imageRows()) +
                             " x " + std::to_string(graphics.imageColumns()) + " tile and cover at least one posting");
        cliSubmitSolverParameters(session, options, true, reporter);
    } else {
        cliSubmitSolverParameters(session, options, true, reporter);
        graphics.handOverInputData(session);   // "Input Data", after the parameters
    }
    const ByteGrid filled = options.has("mask") ? cliNullPostings(graphics) : ByteGrid();
    session.solutionAfterWriteBack = false;   // the write-back puts it into the tile, which is saved
    if (runGridmend(session, graphics, reporter) != RunOutcome::Completed)
        return fail("the interpolation did not run");
    const bool written = geoTiff ? cliWriteGraphicsArray(out, cliOutputFormat(out, true), graphics, outputOptions,
                                                         reporter)
                                 : saveGraphicsSrtmHeightfield(out, graphics, reporter);
    if (!written) return fail("cannot write " + out);
    if (!cliWriteFillMask(options, filled, graphics.raster ? &*graphics.raster : nullptr, reporter))
        return fail("cannot write " + *options.text("mask"));
    return 0;
}
