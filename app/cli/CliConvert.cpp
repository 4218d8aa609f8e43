// gridmend-cli convert: read a grid input into the graphics window's model and
// write it in another format, with no interpolation. The grid goes through
// the same savers as in the windows: the main window's after the
// solution-from-grid transfer (as after a repair run), otherwise the graphics
// window's, so every file has the orientation of the program's own files. A
// shapefile is written as the contour grid that Run would interpolate (south
// row first, 0 where no line was drawn).
#include "app/cli/CliCommands.h"
#include "app/cli/CliInputs.h"
#include "app/cli/CliOptions.h"

#include "app/SessionState.h"
#include "app/SolutionOutputs.h"
#include "formats/OpenDispatch.h"
#include "formats/Shapefile.h"
#include "graphics/GraphicsModel.h"

#include <cstdio>

namespace {

int fail(const std::string& message)
{
    std::fflush(stdout);
    std::fprintf(stderr, "gridmend-cli convert: %s\n", message.c_str());
    return 1;
}

} // namespace

int cliConvert(const std::vector<std::string>& args, Reporter& reporter)
{
    const CliOptions options(args, withInputOptions(withOutputOptions({})));
    options.requirePositional({"IN", "OUT"});
    const std::string in = options.positional()[0], out = options.positional()[1];
    const OpenRow& row = cliInputRow(in);
    cliCheckInputOptions(row, options);
    if (row.handling == OpenHandling::AskParameters)
        throw UsageError("'" + in + "' is read at Run; convert takes grid, picture and shapefile inputs");
    const SolutionOutput& format = cliOutputFormat(out, row.handling == OpenHandling::Shapefile);
    const OutputOptions outputOptions = cliOutputOptions(options, out);

    SessionState session;
    GraphicsModel graphics;
    if (row.handling == OpenHandling::Shapefile) {
        cliSubmitMaxSpan(options, session, reporter);
        auto contours = readShapefileContours(in, session.MAXSPAN, reporter);
        if (!contours) return fail("nothing was drawn from " + in);
        session.solutionGrid = std::move(*contours);
    } else if (!cliLoadGrid(row, in, options, graphics, reporter) || !graphics.holdsContent()) {
        return fail("nothing was loaded from " + in);
    } else if (format.write) {
        session.solutionFromGrid(graphics.elevationArray);
    }
    const bool written = format.write ? format.write(out, session, outputOptions, reporter)
                                      : format.writeGraphics(out, graphics, reporter);
    if (!written) return fail("cannot write " + out);
    return 0;
}
