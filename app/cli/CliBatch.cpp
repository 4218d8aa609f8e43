// gridmend-cli batch: batch interpolation as the "Batch Mode Dialog" runs it:
// "Add Files" for each FILE, "Continue" (the solver parameters, then the
// null-data definition: --null, or the dialog's default -32000), then
// "Run Gridmend", which works through the list and saves each result next to
// its input with the last character of the name replaced by "x".
#include "app/cli/CliCommands.h"
#include "app/cli/CliInputs.h"
#include "app/cli/CliOptions.h"

#include "app/BatchRun.h"
#include "app/RunCommand.h"
#include "app/SessionState.h"
#include "app/OpenDispatch.h"
#include "graphics/GraphicsModel.h"
#include "graphics/NullDataRepair.h"

#include <cstdio>

namespace {

/// The default text of the "Null Data Definition Data Entry Form".
constexpr std::int32_t kNullDataDialogDefault = -32000;

std::map<std::string, int> batchOptions()
{
    auto options = cliSolverOptions();
    options.erase("rows");
    options.erase("columns");
    options.insert({"null", 1});
    return options;
}

} // namespace

int cliBatch(const std::vector<std::string>& args, Reporter& reporter)
{
    const CliOptions options(args, batchOptions());
    if (options.positional().empty()) throw UsageError("expected at least one FILE");
    const std::int32_t nullData = options.integer("null").value_or(kNullDataDialogDefault);

    SessionState session;
    GraphicsModel graphics;
    BatchList list;
    for (const std::string& path : options.positional()) {
        cliCheckInput(path);
        cliCheckOutput(batchOutputPath(path));
        if (!list.add(path, extensionOf(path), reporter)) throw UsageError("a batch holds at most 1000 files");
    }
    // "Continue"
    startBatchMode(session);
    cliSubmitSolverParameters(session, options, true, reporter);
    setNullDataDefinition(graphics, nullData, reporter);
    // "Run Gridmend"
    BatchSummary summary;
    const BatchJob job{list, {}, &summary};
    runGridmend(session, graphics, reporter, &job);
    if (summary.skipped > 0) {
        std::fflush(stdout);
        std::fprintf(stderr, "gridmend-cli batch: %d of %d files were skipped\n", summary.skipped,
                     list.batchFileCount());
        return 1;
    }
    return 0;
}
