// gridmend-cli convert: read a grid input into the graphics window's model and
// write it in another format, with no interpolation. Besides the Open command's
// grid inputs it reads the patch sources of the coarse-tile repair (DTED0
// ".dt0", SRTM30 tiles with --srtm30) through their merge openers. The grid goes
// through the same savers as in the windows: the main window's after the
// solution-from-grid transfer (as after a repair run), otherwise the graphics
// window's, so every file has the orientation of the program's own files. A
// shapefile is written as the contour grid that Run would interpolate (south
// row first, 0 where no line was drawn).
#include "app/cli/CliCommands.h"
#include "app/cli/CliInputs.h"
#include "app/cli/CliOptions.h"

#include "app/SessionState.h"
#include "app/SolutionOutputs.h"
#include "formats/Dted.h"
#include "app/OpenDispatch.h"
#include "formats/Shapefile.h"
#include "formats/TileGeoreference.h"
#include "graphics/GraphicsModel.h"

#include <cstdio>
#include <optional>

namespace {

int fail(const std::string& message)
{
    std::fflush(stdout);
    std::fprintf(stderr, "gridmend-cli convert: %s\n", message.c_str());
    return 1;
}

/// A DTED0 tile or (--srtm30) an SRTM30 tile read by its merge opener, kept as the window's tile.
bool loadPatchSourceAsTile(const std::string& in, const CliOptions& options, GraphicsModel& graphics,
                           Reporter& reporter)
{
    SessionState session;
    const bool srtm30 = options.has("srtm30");
    if (!cliOpenPatchSource(srtm30 ? PatchSource::Srtm30 : PatchSource::Dted0, in, options, graphics, session, reporter))
        return false;
    std::optional<IntGrid>& source = srtm30 ? graphics.srtm30Tile : graphics.dted0Grid;
    graphics.storeTile(*source);
    const int side = source->rows();
    source.reset();
    if (srtm30) {
        graphics.raster = srtm30TileRaster(graphics.srtm30latitude, graphics.srtm30longitude);
    } else if (auto corner = readDtedCorner(in, reporter)) {
        graphics.raster = dtedTileRaster(*corner, side);
    }
    return true;
}

} // namespace

int cliConvert(const std::vector<std::string>& args, Reporter& reporter)
{
    const CliOptions options(args, withInputOptions(withOutputOptions({{"srtm30", 0}})));
    options.requirePositional({"IN", "OUT"});
    const std::string in = options.positional()[0], out = options.positional()[1];
    const bool patchSource = options.has("srtm30") || extensionOf(in) == ".dt0";
    const OpenRow* row = patchSource ? nullptr : &cliInputRow(in);
    if (row) cliCheckInputOptions(*row, options);
    if (row && row->number == kGdalRasterRow) return cliConvertRaster(in, out, options, reporter);
    if (row && row->handling == OpenHandling::AskParameters)
        throw UsageError("'" + in + "' is read at Run; convert takes grid, picture and shapefile inputs");
    const bool shapefile = row && row->handling == OpenHandling::Shapefile;
    const SolutionOutput& format = cliOutputFormat(out, shapefile);
    const OutputOptions outputOptions = cliOutputOptions(options, out);
    cliCheckOutput(out);

    GraphicsModel graphics;
    graphics.interactive = false;   // nothing is shown or undone
    if (shapefile) {
        SessionState session;
        cliSubmitMaxSpan(options, session, reporter);
        auto contours = readShapefileContours(in, session.MAXSPAN, reporter);
        if (!contours) return fail("nothing was drawn from " + in);
        session.solutionGrid = std::move(*contours);
        if (!format.write(out, session, outputOptions, reporter)) return fail("cannot write " + out);
        return 0;
    }
    const bool loaded = row ? cliLoadGrid(*row, in, options, graphics, reporter)
                            : loadPatchSourceAsTile(in, options, graphics, reporter);
    if (!loaded || !graphics.holdsContent()) return fail("nothing was loaded from " + in);
    if (!cliWriteGraphicsArray(out, format, graphics, outputOptions, reporter)) return fail("cannot write " + out);
    return 0;
}
