// gridmend-cli render3d: the 3-D view of a solution rendered offscreen and saved as JPEG.
#include "app/cli/CliCommands.h"
#include "app/cli/CliInputs.h"
#include "app/cli/CliOptions.h"

#include "app/core/GridOps.h"
#include "app/core/InputKind.h"
#include "app/core/Reporter.h"
#include "app/OpenDispatch.h"
#include "formats/TextGrid.h"
#include "graphics/GraphicsModel.h"
#include "view/JpegSnapshot.h"
#include "view/OffscreenRender.h"

#include <QGuiApplication>
#include <cstdlib>
#include <optional>
#include <set>

namespace {

const std::map<std::string, int> kOptions = withInputOptions({
    {"rows", 1}, {"columns", 1}, {"azimuth", 1}, {"bearing", 1}, {"scale", 1}, {"hide-axes", 0},
    {"rotate-x", 1}, {"rotate-y", 1}, {"rotate-z", 1}, {"translate-x", 1}, {"translate-y", 1},
    {"translate-z", 1}, {"zoom", 1}, {"size", 2}, {"stereo", 1}});

const char* failureText(PanelEntryFailure f)
{
    switch (f) {
    case PanelEntryFailure::EmptyAngles: return kEmptyAnglesText;
    case PanelEntryFailure::AzimuthRange: return kAzimuthRangeText;
    case PanelEntryFailure::EmptyScale: return kEmptyScaleText;
    case PanelEntryFailure::StereoRange: return kStereoRangeText;
    case PanelEntryFailure::NotANumber: return "Text box entry must be a number!";
    case PanelEntryFailure::None: break;
    }
    return "";
}

/// The control panel's steps, in the order given on the command line.
void applyViewSteps(const CliOptions& options, ThreeDState& state)
{
    struct Step { const char* name; void (*apply)(ThreeDState&, Axis, float); Axis axis; };
    static const Step steps[] = {
        {"rotate-x", rotateView, Axis::X},       {"rotate-y", rotateView, Axis::Y},
        {"rotate-z", rotateView, Axis::Z},       {"translate-x", translateView, Axis::X},
        {"translate-y", translateView, Axis::Y}, {"translate-z", translateView, Axis::Z},
    };
    std::set<std::string> done;
    for (const std::string& name : options.order()) {
        if (!done.insert(name).second) continue;
        if (name == "zoom") scaleView(state, float(*options.real("zoom")));
        for (const Step& s : steps)
            if (name == s.name) s.apply(state, s.axis, float(*options.real(name)));
    }
}

std::string withSuffix(const std::string& path, const std::string& suffix)
{
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + suffix;
    return path.substr(0, dot) + suffix + path.substr(dot);
}

bool save(const QImage& picture, const std::string& path, Reporter& reporter)
{
    const std::vector<std::uint8_t> rgb = packedRgb(picture);
    return saveSnapshotJpeg(path, rgb.data(), picture.width(), picture.height(), reporter);
}

/// The grid to render, south row first: an ASCII matrix of --rows x --columns, or any grid input
/// read as Open reads it. Nothing when it could not be read (the reason on standard error).
std::optional<RealGrid> readRenderInput(const std::string& in, const CliOptions& options, Reporter& reporter)
{
    const OpenRow& row = cliInputRow(in);
    const bool textGrid = row.handling == OpenHandling::AskParameters && row.kind == InputKind::TextGridInput;
    if (!textGrid && row.handling != OpenHandling::IntoGraphics)
        throw UsageError("'" + in + "' is read at Run; render3d takes an ASCII matrix or a grid input");
    if (textGrid != (options.has("rows") && options.has("columns")))
        throw UsageError(textGrid ? "--rows and --columns are required for an ASCII matrix"
                                  : "the grid size of " + std::string(row.fileKind) + " comes from the file");
    if (!textGrid) {
        GraphicsModel graphics;
        if (!cliLoadGrid(row, in, options, graphics, reporter) || !graphics.holdsContent()) {
            std::fprintf(stderr, "gridmend-cli render3d: nothing was loaded from %s\n", in.c_str());
            return std::nullopt;
        }
        return gridops::flipped(gridops::toRealGrid(graphics.elevationArray));
    }
    const int rows = *options.integer("rows"), columns = *options.integer("columns");
    if (rows < 1 || columns < 1) throw UsageError("--rows and --columns must be at least 1");
    auto read = readTextGrid(in, rows, columns, reporter);
    if (!read) return std::nullopt;
    if (const std::string shortLine = shortTextGridLine(*read); !shortLine.empty()) {
        std::fprintf(stderr, "gridmend-cli render3d: %s: %s\n", in.c_str(), shortLine.c_str());
        return std::nullopt;
    }
    return std::move(read->grid);
}

} // namespace

int cliRender3d(const std::vector<std::string>& args, Reporter& reporter)
{
    const CliOptions options(args, kOptions);
    options.requirePositional({"IN", "OUT.jpg"});
    const int width = options.integerOr("size", 420);
    const int height = options.has("size") ? *options.integer("size", 1) : 420;
    if (width < 1 || height < 1 || width > 8192 || height > 8192) throw UsageError("--size must be 1..8192");
    ThreeDState entries;
    const PanelEntryFailure failure =
        applyRenderEntries(entries, options.text("azimuth").value_or("45"), options.text("bearing").value_or("45"),
                           options.text("scale").value_or("1.0"), !options.has("hide-axes"));
    if (failure != PanelEntryFailure::None) throw UsageError(failureText(failure));
    float stereo = 0.0f;
    if (options.has("stereo")) {
        const PanelEntryFailure f = checkStereoEntry(*options.text("stereo"), stereo);
        if (f != PanelEntryFailure::None) throw UsageError(failureText(f));
    }
    applyViewSteps(options, entries);   // checks the step values before anything is read

    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "gridmend-cli render3d: needs an X server (set DISPLAY or run under xvfb-run)\n");
        return 1;
    }
    const std::string out = options.positional()[1];
    for (const std::string& path : options.has("stereo") ? std::vector<std::string>{withSuffix(out, "_plus"),
                                                                                     withSuffix(out, "_minus")}
                                                         : std::vector<std::string>{out})
        cliCheckOutput(path);
    auto input = readRenderInput(options.positional()[0], options, reporter);
    if (!input) return 1;
    static int argc = 1;
    static char name[] = "gridmend-cli";
    static char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    OffscreenView view(width, height);
    if (!view.valid()) {
        std::fprintf(stderr, "gridmend-cli render3d: %s\n", view.error());
        return 1;
    }
    RealGrid& grid = *input;
    view.render(&grid, reporter);   // the first render's set-up
    ThreeDState& state = view.state();
    state.solarAzimuth = entries.solarAzimuth;
    state.solarBearing = entries.solarBearing;
    state.elevationScale = entries.elevationScale;
    state.showAxes = entries.showAxes;
    state.modelView.multiply(entries.modelView);
    if (!options.has("stereo")) return save(view.render(&grid, reporter), out, reporter) ? 0 : 1;
    rotateView(state, Axis::Z, stereo);
    const bool plus = save(view.render(&grid, reporter), withSuffix(out, "_plus"), reporter);
    rotateView(state, Axis::Z, -2.0f * stereo);
    const bool minus = save(view.render(&grid, reporter), withSuffix(out, "_minus"), reporter);
    return plus && minus ? 0 : 1;
}
