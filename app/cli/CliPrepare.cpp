// gridmend-cli prepare: a scanned contour map through the graphics window's
// preparation commands, in the order given on the command line, on the same
// code the window runs (ImageCommands, ContourCommands); the work array is
// then saved as the window's "Save Elevation Array" (or "Save Index Array",
// or "Save Graphics Image" for a look at the picture) saves it. Tagging stays
// interactive.
#include "app/cli/CliCommands.h"
#include "app/cli/CliInputs.h"
#include "app/cli/CliOptions.h"

#include "app/core/TextNumbers.h"
#include "app/OpenDispatch.h"
#include "graphics/PictureFile.h"
#include "graphics/ContourCommands.h"
#include "graphics/GraphicsSaves.h"
#include "graphics/ImageCommands.h"
#include "graphics/PatternFilters.h"

#include <cstdio>

namespace {

const std::map<std::string, int> kPrepareOptions = {
    {"range-filter", 2}, {"keep", 0},          {"binarize", 1},      {"thin", 1},
    {"despeckle", 0},    {"connect", 1},       {"farthest", 0},      {"delete-short", 1},
    {"low-pass", 0},     {"unsharp", 1},       {"line-pattern", 0},  {"block-pattern", 0},
    {"nibble-pattern", 0}, {"neighbor-pattern", 1}, {"clip", 4},     {"remove-web", 2}};

std::int32_t colourValue(const std::string& option, const std::string& text)
{
    auto v = parseHexOrIntText(text);
    if (!v) throw UsageError("--" + option + " needs a colour (0x... or decimal), not '" + text + "'");
    return *v;
}

int integerValue(const std::string& option, const std::string& text)
{
    auto v = parseIntText(text);
    if (!v) throw UsageError("--" + option + " needs an integer, not '" + text + "'");
    return *v;
}

using Saver = bool (*)(const std::string&, GraphicsModel&, Reporter&);

Saver saverFor(const std::string& path)
{
    auto ends = [&](const char* ext) {
        const std::string e(ext);
        return path.size() > e.size() && path.compare(path.size() - e.size(), e.size(), e) == 0;
    };
    if (ends(".elv")) return saveGraphicsElevationArray;
    if (ends(".ind")) return saveGraphicsIndexArray;
    if (ends(".bmp")) return saveGraphicsImage;
    throw UsageError("'" + path + "': the output must end in .elv, .ind or .bmp");
}

} // namespace

int cliPrepare(const std::vector<std::string>& args, Reporter& reporter)
{
    const CliOptions options(args, withInputOptions(kPrepareOptions));
    options.requirePositional({"IN", "OUT"});
    const std::string in = options.positional()[0], out = options.positional()[1];
    const OpenRow& row = cliInputRow(in);
    if (row.handling != OpenHandling::IntoGraphics)
        throw UsageError("'" + in + "' is read at Run; prepare takes pictures and grid inputs");
    const Saver save = saverFor(out);
    cliCheckOutput(out);

    GraphicsModel g;
    if (!cliLoadGrid(row, in, options, g, reporter) || !g.holdsContent()) {
        std::fflush(stdout);
        std::fprintf(stderr, "gridmend-cli prepare: nothing was loaded from %s\n", in.c_str());
        return 1;
    }
    bool lineCode = g.elevationMode;   // a load of elevations holds the line code already
    auto needLineCode = [&](const std::string& option) {
        if (!lineCode) throw UsageError("--" + option + " works on the line code: give --binarize before it");
    };
    for (const CliOptions::Occurrence& o : options.occurrences()) {
        const std::string& n = o.name;
        const auto& v = o.values;
        if (n == "range-filter") {
            g.tools.rangeFilter.lower = colourValue(n, v[0]);
            g.tools.rangeFilter.upper = colourValue(n, v[1]);
            g.tools.rangeFilter.keepDiscard = options.has("keep");
            imagecmd::rangeFilter(g);
        } else if (n == "binarize") {
            g.backgroundColour = colourValue(n, v[0]);
            imagecmd::binarize(g, g.backgroundColour);
            lineCode = true;
        } else if (n == "thin") {
            needLineCode(n);
            const int most = integerValue(n, v[0]);
            for (int i = 0; i < most && imagecmd::thin(g); ++i) {}
        } else if (n == "despeckle") {
            needLineCode(n);
            imagecmd::despeckle8Bit(g);
        } else if (n == "connect") {
            needLineCode(n);
            g.tools.searchRadius = integerValue(n, v[0]);
            if (!searchRadiusValid(g.tools.searchRadius)) throw UsageError(kSearchRadiusError);
            g.tools.searchOrder = options.has("farthest") ? SearchOrder::FarthestFirst : SearchOrder::ClosestFirst;
            contourcmd::connectLines(g, reporter);
        } else if (n == "delete-short") {
            needLineCode(n);
            g.tools.pixelLimit = integerValue(n, v[0]);
            if (!pixelLimitValid(g.tools.pixelLimit)) throw UsageError(kPixelLimitError);
            contourcmd::deleteShortSegments(g, reporter);
        } else if (n == "low-pass") {
            imagecmd::lowPass(g);
        } else if (n == "unsharp") {
            const auto k = parseRealText(v[0]);
            if (!k) throw UsageError("--unsharp needs a number, not '" + v[0] + "'");
            if (!imagecmd::unsharpMask(g, *k)) throw UsageError(kUnsharpMultiplierError);
        } else if (n == "line-pattern") {
            imagecmd::linePattern(g);
        } else if (n == "block-pattern") {
            imagecmd::blockPattern(g);
        } else if (n == "nibble-pattern") {
            imagecmd::nibblePattern(g);
        } else if (n == "neighbor-pattern") {
            const int count = integerValue(n, v[0]);
            if (!neighbourCountValid(count)) throw UsageError("--neighbor-pattern needs 1 .. 8");
            imagecmd::neighborPattern(g, count);
        } else if (n == "clip") {
            const CellRect rect = g.cellRect(integerValue(n, v[0]), integerValue(n, v[1]), integerValue(n, v[2]),
                                             integerValue(n, v[3]));
            if (rect.empty()) throw UsageError("--clip needs a rectangle of non zero area");
            contourcmd::clipText(g, rect, lineCode);
        } else if (n == "remove-web") {
            contourcmd::removeWebFromWork(g, integerValue(n, v[0]), integerValue(n, v[1]), lineCode, reporter);
        }
    }
    if (!save(out, g, reporter)) {
        std::fflush(stdout);
        std::fprintf(stderr, "gridmend-cli prepare: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
