// gridmend-cli convert: read a grid input into the graphics window's model and
// write it in another format, with no interpolation. The grid goes through
// the same savers as in the windows: the main window's after the
// solution-from-grid transfer (as after a repair run), otherwise the graphics
// window's, so every file has the orientation of the program's own files.
#include "app/cli/CliCommands.h"
#include "app/cli/CliInputs.h"
#include "app/cli/CliOptions.h"

#include "app/SessionState.h"
#include "app/SolutionOutputs.h"
#include "formats/OpenDispatch.h"
#include "graphics/GraphicsModel.h"

#include <cstdio>

int cliConvert(const std::vector<std::string>& args, Reporter& reporter)
{
    const CliOptions options(args, {{"tga", 1}, {"terragen-scale", 1}});
    options.requirePositional({"IN", "OUT"});
    const std::string in = options.positional()[0], out = options.positional()[1];
    const OpenRow& row = cliInputRow(in);
    if (row.handling != OpenHandling::IntoGraphics)
        throw UsageError("'" + in + "' is read at Run; convert takes grid and picture inputs");
    const SolutionOutput& format = cliOutputFormat(out, false);

    GraphicsModel graphics;
    if (!cliLoadGrid(row, in, graphics, reporter) || !graphics.holdsContent()) {
        std::fflush(stdout);
        std::fprintf(stderr, "gridmend-cli convert: nothing was loaded from %s\n", in.c_str());
        return 1;
    }
    bool written;
    if (format.write) {
        SessionState session;
        session.solutionFromGrid(graphics.elevationArray);
        written = format.write(out, session, cliOutputOptions(options), reporter);
    } else {
        written = format.writeGraphics(out, graphics, reporter);
    }
    if (!written) {
        std::fflush(stdout);
        std::fprintf(stderr, "gridmend-cli convert: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
