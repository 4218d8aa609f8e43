// gridmend-cli resample: "&Open" of a grid input, "Resample DEM" at the given
// rate, and the result written as convert writes it.
#include "app/cli/CliCommands.h"
#include "app/cli/CliInputs.h"
#include "app/cli/CliOptions.h"

#include "app/core/Reporter.h"
#include "app/SolutionOutputs.h"
#include "app/OpenDispatch.h"
#include "graphics/GraphicsModel.h"
#include "graphics/Resample.h"

#include <cstdio>

int cliResample(const std::vector<std::string>& args, Reporter& reporter)
{
    const CliOptions options(args, withInputOptions(withOutputOptions({{"rate", 1}, {"null", 1}})));
    options.requirePositional({"IN", "OUT"});
    const std::string in = options.positional()[0], out = options.positional()[1];
    const auto rate = options.integer("rate");
    if (!rate || (*rate != 2 && *rate != 4 && *rate != 8)) throw UsageError("--rate takes 2, 4 or 8");
    const OpenRow& row = cliInputRow(in);
    if (row.handling != OpenHandling::IntoGraphics)
        throw UsageError("'" + in + "' is read at Run; resample takes grid inputs");
    const SolutionOutput& format = cliOutputFormat(out, false);
    cliCheckOutput(out);

    GraphicsModel graphics;
    auto fail = [](const std::string& message) {
        std::fflush(stdout);
        std::fprintf(stderr, "gridmend-cli resample: %s\n", message.c_str());
        return 1;
    };
    reporter.log(in);
    reporter.log(" ");
    if (!cliLoadGrid(row, in, options, graphics, reporter) || !graphics.holdsContent()) return fail("nothing was loaded from " + in);
    if (auto v = options.integer("null")) graphics.nullDataDefinition = *v;
    if (!resampleTile(graphics, *rate, reporter)) return fail("the tile is smaller than the rate");
    if (!cliWriteGraphicsArray(out, format, graphics, cliOutputOptions(options, out), reporter))
        return fail("cannot write " + out);
    return 0;
}
