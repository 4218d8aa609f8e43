// gridmend-cli tiles: a set of SRTM tiles filled seamlessly across their borders,
// one process, several (--jobs) or a shard of a cluster's job array (--shard).
#include "app/cli/CliCommands.h"
#include "app/cli/CliInputs.h"
#include "app/cli/CliOptions.h"

#include "app/core/Reporter.h"
#include "app/SessionState.h"
#include "app/TileFill.h"

#include <cstdio>
#include <filesystem>
#include <thread>

namespace {

std::map<std::string, int> tilesOptions()
{
    auto options = cliSolverOptions();
    options.erase("rows");
    options.erase("columns");
    options.insert({{"null", 1}, {"halo", 1}, {"shard", 1}, {"jobs", 1}, {"preview", 1}});
    return options;
}

/// "I/N" with 0 <= I < N.
void parseShard(const std::string& text, TileFillSettings& settings)
{
    int i = 0, n = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%d/%d%c", &i, &n, &end) != 2 || n < 1 || i < 0 || i >= n)
        throw UsageError("--shard takes I/N with 0 <= I < N, such as 0/4");
    settings.shardIndex = i;
    settings.shardCount = n;
}

} // namespace

int cliTiles(const std::vector<std::string>& args, Reporter& reporter)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);   // a tile's line reaches a log file (or a job's output) at once
    if (args.empty() || (args[0] != "fill" && args[0] != "preview"))
        throw UsageError("tiles takes 'fill' or 'preview' first");
    const CliOptions options({args.begin() + 1, args.end()}, tilesOptions());
    options.requirePositional({"IN_DIR_OR_LIST", "OUT_DIR"});
    const std::string in = options.positional()[0], out = options.positional()[1];
    TileFillSettings settings;
    settings.nullDataDefinition = options.integerOr("null", settings.nullDataDefinition);
    const std::string preview = options.text("preview").value_or((std::filesystem::path(out) / "preview.jpg").string());
    if (args[0] == "fill") {
        SessionState session;
        cliSubmitSolverParameters(session, options, true, reporter);
        settings.solver.laplacianIterations = session.laplacianIterations;
        settings.solver.refiningSweeps = session.polishIterations;
        settings.solver.lsqrIterations = session.lsqrIterations;
        settings.solver.scaleFactor = session.scaleFactor;
        settings.solver.surface = session.surface;
        settings.halo = options.integerOr("halo", settings.halo);
        settings.jobs = options.integerOr("jobs", int(std::max(1u, std::thread::hardware_concurrency())));
        if (settings.halo < 0 || settings.jobs < 1) throw UsageError("--halo must not be negative, --jobs at least 1");
        if (auto shard = options.text("shard")) parseShard(*shard, settings);
    }
    const std::optional<TileSet> set = TileSet::find(in, reporter);
    if (!set) return 1;
    int failed = 0;
    if (args[0] == "fill") {
        failed = fillTileSet(*set, out, settings, reporter);
        if (failed > 0) reporter.log(std::to_string(failed) + " tiles failed.");
    }
    // A shard leaves the preview to a last step ("tiles preview"), when every tile is done.
    if (args[0] == "preview" || (settings.shardCount == 1 && failed < int(set->tiles().size()))) {
        if (!writeTileSetPreview(*set, out, preview, settings.nullDataDefinition, reporter)) return 1;
        reporter.log("Preview: " + preview);
    }
    return failed > 0 ? 1 : 0;
}
