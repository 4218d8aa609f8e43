// gridmend-cli batch: batch interpolation as the "Batch Mode Dialog" runs it:
// "Add Files" for each FILE, "Continue" (the solver parameters, then the
// null-data definition: --null, or the dialog's default -32000), then
// "Run Gridmend", which works through the list and saves each result next to
// its input with the last character of the name replaced by "x". A list of rasters read through
// GDAL is filled as fill fills each, window by window, into a GeoTIFF beside it.
#include "app/cli/CliCommands.h"
#include "app/cli/CliInputs.h"
#include "app/cli/CliOptions.h"

#include "app/BatchRun.h"
#include "app/core/Reporter.h"
#include "app/RunCommand.h"
#include "app/SessionState.h"
#include "app/OpenDispatch.h"
#include "graphics/GraphicsModel.h"
#include "graphics/NullDataRepair.h"

#include <cstdio>
#include <filesystem>

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

/// The GeoTIFF a raster's fill is saved to: "dem.asc" -> "dem_filled.tif", beside it.
std::string rasterBatchOutputPath(const std::string& input)
{
    const std::filesystem::path p(input);
    return (p.parent_path() / (p.stem().string() + "_filled.tif")).string();
}

/// Each raster filled through GDAL as fill fills it; one that fails is skipped and the rest go on.
/// Returns how many were skipped.
int batchRasters(const std::vector<std::string>& paths, const CliOptions& options, Reporter& reporter)
{
    int skipped = 0;
    for (std::size_t k = 0; k < paths.size(); ++k) {
        reporter.log(paths[k]);
        skipped += cliFillRaster("batch", paths[k], rasterBatchOutputPath(paths[k]), options, reporter) != 0;
        reporter.log(kFinishedFileLine + std::to_string(k + 1));
    }
    return skipped;
}

int skippedStatus(int skipped, std::size_t files)
{
    if (skipped == 0) return 0;
    std::fflush(stdout);
    std::fprintf(stderr, "gridmend-cli batch: %d of %zu files were skipped\n", skipped, files);
    return 1;
}

} // namespace

int cliBatch(const std::vector<std::string>& args, Reporter& reporter)
{
    const CliOptions options(args, batchOptions());
    if (options.positional().empty()) throw UsageError("expected at least one FILE");
    const std::vector<std::string>& paths = options.positional();
    const OpenRow* last = openRowForPath(paths.back());   // as in the dialog, the last file decides
    const bool rasters = last && last->number == kGdalRasterRow;
    for (const std::string& path : paths) {
        cliCheckInput(path);
        cliCheckOutput(rasters ? rasterBatchOutputPath(path) : batchOutputPath(path));
    }
    if (rasters) return skippedStatus(batchRasters(paths, options, reporter), paths.size());
    const std::int32_t nullData = options.integer("null").value_or(kNullDataDialogDefault);

    SessionState session;
    GraphicsModel graphics;
    BatchList list;
    for (const std::string& path : paths)
        if (!list.add(path, extensionOf(path), reporter)) throw UsageError("a batch holds at most 1000 files");
    // "Continue"
    startBatchMode(session);
    cliSubmitSolverParameters(session, options, true, reporter);
    setNullDataDefinition(graphics, nullData, reporter);
    // "Run Gridmend"
    BatchSummary summary;
    const BatchJob job{list, {}, &summary};
    runGridmend(session, graphics, reporter, &job);
    return skippedStatus(summary.skipped, std::size_t(list.batchFileCount()));
}
