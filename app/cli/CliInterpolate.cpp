// gridmend-cli interpolate: open a grid input, enter the solver parameters, Run, save.
#include "app/cli/CliCommands.h"
#include "app/cli/CliOptions.h"

#include "app/Reporter.h"
#include "app/RunCommand.h"
#include "app/SolutionOutputs.h"
#include "app/SessionState.h"
#include "app/SolverParameters.h"
#include "formats/TextGrid.h"
#include "graphics/GraphicsModel.h"

#include <cstdio>

namespace {

const std::map<std::string, int> kOptions = {
    {"rows", 1}, {"columns", 1}, {"lsqr", 1}, {"laplacian", 1}, {"refining", 1}, {"scale", 1},
    {"tga", 1}, {"terragen-scale", 1}};

/// The input kind of the path: CSV or LAS points by extension, otherwise an ASCII z-value grid.
InputKind inputKindOf(const std::string& path)
{
    for (const char* ext : {".csv", ".CSV"})
        if (path.ends_with(ext)) return InputKind::CsvInput;
    for (const char* ext : {".las", ".LAS"})
        if (path.ends_with(ext)) return InputKind::LasInput;
    return InputKind::TextGridInput;
}

void fail(const std::string& message)
{
    std::fflush(stdout);
    std::fprintf(stderr, "gridmend-cli interpolate: %s\n", message.c_str());
}

} // namespace

int cliInterpolate(const std::vector<std::string>& args, Reporter& reporter)
{
    const CliOptions options(args, kOptions);
    options.requirePositional({"IN", "OUT"});
    const std::string in = options.positional()[0], out = options.positional()[1];
    if (!options.has("rows") || !options.has("columns")) throw UsageError("--rows and --columns are required");

    SessionState session;
    session.inputFileName = in;
    session.inputKind = inputKindOf(in);
    reporter.log(in);
    reporter.log(" ");

    SolverParameterTexts texts;
    texts.rows = *options.text("rows");
    texts.columns = *options.text("columns");
    if (auto v = options.text("lsqr")) texts.lsqr = *v;
    if (auto v = options.text("laplacian")) texts.laplacian = *v;
    if (auto v = options.text("refining")) texts.refining = *v;
    if (auto v = options.text("scale")) texts.scale = *v;
    switch (submitSolverParameters(session, texts, false, reporter)) {
    case ParameterFailure::None: break;
    case ParameterFailure::Empty: throw UsageError("every solver parameter needs a value");
    case ParameterFailure::NotInteger: throw UsageError("rows, columns and iteration counts must be integers");
    case ParameterFailure::NotDouble: throw UsageError("--scale must be a number");
    case ParameterFailure::OutOfRange:
        throw UsageError("rows and columns must be at least 4; counts and scale must not be negative");
    }
    convertGridSizeTexts(session);
    convertIterationTexts(session);

    GraphicsModel graphics;
    if (session.lsqrIterations > 0 || session.inputKind != InputKind::TextGridInput) {
        if (runGridmend(session, graphics, reporter) != RunOutcome::Completed) {
            fail("the interpolation did not run");
            return 1;
        }
    } else {
        // Relaxation alone: the grid the text builder would read, relaxed as Run relaxes.
        auto read = readTextGrid(in, session.numberElevationRows, session.numberElevationColumns, reporter);
        if (!read) {
            fail("cannot read " + in);
            return 1;
        }
        if (read->valuesRead < read->grid.size()) {
            fail(in + " holds " + std::to_string(read->valuesRead) + " numbers; " +
                 std::to_string(read->grid.size()) + " are needed");
            return 1;
        }
        auto solution = relaxEngineGrid(read->grid, session, reporter);
        if (!solution) {
            fail("the interpolation did not run");
            return 1;
        }
        session.solutionGrid = std::move(solution);
        reporter.log("Done interpolating file.");
    }
    if (!writeSolutionFile(out, session, cliOutputOptions(options), reporter)) {
        fail("cannot write " + out);
        return 1;
    }
    return 0;
}
