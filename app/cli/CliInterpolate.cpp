// gridmend-cli interpolate: open an input as the Open command does, enter the
// solver parameters, Run, and save the solution in the format the output's
// extension selects.
//
// Text kinds (read at Run) need --rows and --columns, as the parameters dialog
// asks for them; a shapefile takes its size from MAXSPAN (--maxspan, after the
// parameters, as Open shows "Shape File Scaling Limits"); grid kinds (".elv",
// ".ind", ".ort", ".dem", ".hdf", "aus_dem_erm", pictures, ...) are loaded into
// the graphics window's model and handed over by its "Input Data" conversion,
// which the parameters of the four-box form follow.
#include "app/cli/CliCommands.h"
#include "app/cli/CliInputs.h"
#include "app/cli/CliOptions.h"

#include "app/core/Reporter.h"
#include "app/RunCommand.h"
#include "app/SessionState.h"
#include "app/SolutionOutputs.h"
#include "app/OpenDispatch.h"
#include "formats/TextGrid.h"
#include "graphics/GraphicsModel.h"

#include <algorithm>
#include <cstdio>

namespace {

/// The text kinds whose Run readers exist.
const InputKind kTextKindsRead[] = {
    InputKind::TextGridInput,
    InputKind::CsvInput,
    InputKind::LasInput,
};

std::map<std::string, int> interpolateOptions()
{
    auto options = withInputOptions(withOutputOptions(cliSolverOptions()));
    options.emplace("mask", 1);
    options.emplace("null", 1);   // rasters read through GDAL: postings below V are null too
    return options;
}

const std::map<std::string, int> kOptions = interpolateOptions();

int fail(const std::string& message)
{
    std::fflush(stdout);
    std::fprintf(stderr, "gridmend-cli interpolate: %s\n", message.c_str());
    return 1;
}

/// Relaxation alone on a text grid: the grid the text builder would read, relaxed as Run relaxes.
int relaxTextGrid(SessionState& session, const std::string& in, Reporter& reporter)
{
    auto read = readTextGrid(in, session.numberElevationRows, session.numberElevationColumns, reporter);
    if (!read) return fail("cannot read " + in);
    if (const std::string shortLine = shortTextGridLine(*read); !shortLine.empty()) {
        reporter.log(shortLine);
        return fail(in + ": " + shortLine);
    }
    auto solution = relaxEngineGrid(read->grid, session, reporter);
    if (!solution) return fail("the interpolation did not run");
    session.solutionGrid = std::move(solution);
    reporter.log("Done interpolating file.");
    return 0;
}

} // namespace

int cliInterpolate(const std::vector<std::string>& args, Reporter& reporter)
{
    const CliOptions options(args, kOptions);
    options.requirePositional({"IN", "OUT"});
    const std::string in = options.positional()[0], out = options.positional()[1];
    const OpenRow& row = cliInputRow(in);
    const SolutionOutput& format = cliOutputFormat(out, true);
    OutputOptions outputOptions = cliOutputOptions(options, out);
    cliCheckInputOptions(row, options);
    cliCheckOutput(out);
    if (row.number == kGdalRasterRow) {
        if (options.has("rows") || options.has("columns"))
            throw UsageError("the grid size of " + std::string(row.fileKind) + " comes from the file");
        return cliFillRaster("interpolate", in, out, options, reporter);
    }
    if (options.has("null")) throw UsageError("--null applies to rasters read through GDAL (.tif, ...) only");
    if (options.has("mask") && row.handling != OpenHandling::IntoGraphics)
        throw UsageError("--mask applies to grid inputs only");

    SessionState session;
    session.inputFileName = in;
    session.inputKind = row.kind;
    reporter.log(in);
    reporter.log(" ");
    GraphicsModel graphics;
    graphics.interactive = false;   // nothing is shown or undone

    if (row.handling == OpenHandling::AskParameters) {
        if (std::find(std::begin(kTextKindsRead), std::end(kTextKindsRead), row.kind) == std::end(kTextKindsRead))
            throw UsageError(notAvailableLine(row));
        if (!options.has("rows") || !options.has("columns"))
            throw UsageError("--rows and --columns are required for " + std::string(row.fileKind));
        cliSubmitSolverParameters(session, options, false, reporter);
        if (session.lsqrIterations <= 0 && row.kind == InputKind::TextGridInput) {
            if (int status = relaxTextGrid(session, in, reporter)) return status;
        } else if (runGridmend(session, graphics, reporter) != RunOutcome::Completed) {
            return fail("the interpolation did not run");
        }
    } else if (row.handling == OpenHandling::IntoGraphics) {
        if (options.has("rows") || options.has("columns"))
            throw UsageError("the grid size of " + std::string(row.fileKind) + " comes from the file");
        session.sizeFromInput = true;
        if (!cliLoadGrid(row, in, options, graphics, reporter) || !graphics.holdsContent())
            return fail("nothing was loaded from " + in);
        cliSubmitSolverParameters(session, options, true, reporter);
        graphics.imageArray = IntGrid();   // the solution is written, not the picture: it goes before "Input Data"
        graphics.handOverInputData(session);   // "Input Data", after the parameters
        const ByteGrid filled = options.has("mask") ? cliNullPostings(graphics) : ByteGrid();
        if (runGridmend(session, graphics, reporter) != RunOutcome::Completed)
            return fail("the interpolation did not run");
        outputOptions.raster = graphics.raster;
        outputOptions.dted1Header = graphics.dted1Header;
        if (!cliWriteFillMask(options, filled, graphics.raster ? &*graphics.raster : nullptr, reporter))
            return fail("cannot write " + *options.text("mask"));
    } else {   // the shapefile: parameters without rows and columns, then MAXSPAN; R and C come from the file
        if (options.has("rows") || options.has("columns"))
            throw UsageError("the grid size of a shapefile comes from its extent and --maxspan");
        session.sizeFromInput = true;
        cliSubmitSolverParameters(session, options, true, reporter);
        cliSubmitMaxSpan(options, session, reporter);
        session.numberElevationRows = session.numberElevationColumns = 0;
        if (runGridmend(session, graphics, reporter) != RunOutcome::Completed)
            return fail("the interpolation did not run");
    }
    if (!format.write(out, session, outputOptions, reporter)) return fail("cannot write " + out);
    return 0;
}
