#include "app/cli/CliInputs.h"

#include "app/cli/CliOptions.h"
#include "app/SessionState.h"
#include "app/SolutionOutputs.h"
#include "app/SolverParameters.h"
#include "app/core/TextNumbers.h"
#include "formats/FileIo.h"
#include "app/OpenDispatch.h"
#include "graphics/GraphicsLoaders.h"
#include "app/core/Reporter.h"
#include "graphics/GraphicsModel.h"
#include "graphics/MergeLoaders.h"

#include <stdexcept>

namespace {

constexpr int kErMapperRow = 12;

bool asksErCorner(const OpenRow& row) { return row.number == kErMapperRow; }

} // namespace

std::map<std::string, int> cliSolverOptions()
{
    return {{"rows", 1}, {"columns", 1}, {"lsqr", 1}, {"laplacian", 1}, {"refining", 1}, {"scale", 1}, {"surface", 1}};
}

std::map<std::string, int> withInputOptions(std::map<std::string, int> own)
{
    own.emplace("corner", 2);
    own.emplace("maxspan", 1);
    own.emplace("allow-partial", 0);
    return own;
}

void cliCheckInput(const std::string& path)
{
    if (const std::string problem = fileio::inputProblem(path); !problem.empty()) throw std::runtime_error(problem);
}

void cliCheckOutput(const std::string& path)
{
    if (const std::string problem = fileio::outputProblem(path); !problem.empty()) throw std::runtime_error(problem);
}

namespace {

/// After a read: an input its reader found not whole (cut short, profiles or rows missing)
/// is refused unless --allow-partial was given.
void requireWholeInput(const std::string& path, const CliOptions& options, Reporter& reporter)
{
    if (reporter.takeIncompleteInput() && !options.has("allow-partial"))
        throw std::runtime_error("'" + path + "' is not whole (see the log above); --allow-partial reads it anyway");
}

} // namespace

const OpenRow& cliInputRow(const std::string& path)
{
    cliCheckInput(path);
    const OpenRow* row = openRowForPath(path);
    if (!row) throw UsageError("'" + path + "' is not a file type GRIDMEND opens");
    return *row;
}

void cliCheckInputOptions(const OpenRow& row, const CliOptions& options)
{
    if (options.has("corner") && !asksErCorner(row))
        throw UsageError("--corner gives the corner of an ER Mapper tile (aus_dem_erm) only");
    if (options.has("maxspan") && row.handling != OpenHandling::Shapefile)
        throw UsageError("--maxspan applies to shapefiles (.shp) only");
}

bool cliLoadGrid(const OpenRow& row, const std::string& path, const CliOptions& options, GraphicsModel& graphics,
                 Reporter& reporter)
{
    cliCheckInputOptions(row, options);
    if (!row.available()) throw UsageError(notAvailableLine(row));
    if (asksErCorner(row)) {
        // The corner dialog takes two integers and cannot be submitted empty.
        const auto latitude = options.integer("corner", 0), longitude = options.integer("corner", 1);
        if (!latitude || !longitude) throw UsageError("an ER Mapper tile needs --corner LAT LON (its south-west corner)");
        setErCorner(graphics, *latitude, *longitude, reporter);
    }
    reporter.takeIncompleteInput();
    // Unguarded: what a reader throws ends the command with its message and exit status 1.
    const GridLoader load = loaderOf(row);
    const bool loaded = load && load(path, graphics, reporter);
    requireWholeInput(path, options, reporter);
    return loaded;
}

bool cliOpenGrid(const OpenRow& row, const std::string& path, const CliOptions& options, SessionState& session,
                 GraphicsModel& graphics, Reporter& reporter)
{
    session.inputFileName = path;
    session.inputKind = row.kind;
    session.sizeFromInput = true;
    reporter.log(path);
    reporter.log(" ");
    return cliLoadGrid(row, path, options, graphics, reporter);
}

void cliSubmitMaxSpan(const CliOptions& options, SessionState& session, Reporter& reporter)
{
    submitMaxSpan(session, options.integerOr("maxspan", *parseIntText(kDefaultMaxSpanText)), reporter);
}

const SolutionOutput& cliOutputFormat(const std::string& path, bool solutionOnly)
{
    const SolutionOutput* format = findSolutionOutput(path);
    if (!format || (solutionOnly && !format->write)) {
        std::string list;
        for (const SolutionOutput& f : solutionOutputs())
            if (!solutionOnly || f.write) list += (list.empty() ? "" : ", ") + std::string(f.extension);
        throw UsageError("'" + path + "': the output must end in one of " + list);
    }
    return *format;
}

void cliSubmitSolverParameters(SessionState& session, const CliOptions& options, bool sizeFromInput,
                               Reporter& reporter)
{
    SolverParameterTexts texts;
    if (auto v = options.text("rows")) texts.rows = *v;
    if (auto v = options.text("columns")) texts.columns = *v;
    if (auto v = options.text("lsqr")) texts.lsqr = *v;
    if (auto v = options.text("laplacian")) texts.laplacian = *v;
    if (auto v = options.text("refining")) texts.refining = *v;
    if (auto v = options.text("scale")) texts.scale = *v;
    switch (submitSolverParameters(session, texts, sizeFromInput, reporter)) {
    case ParameterFailure::None: break;
    case ParameterFailure::Empty: throw UsageError("every solver parameter needs a value");
    case ParameterFailure::NotInteger:
        for (const std::string* t : {&texts.rows, &texts.columns, &texts.lsqr, &texts.laplacian, &texts.refining})
            if (integerTextOutOfRange(*t)) throw UsageError(*t + " is out of range for rows, columns or iteration counts");
        throw UsageError("rows, columns and iteration counts must be integers");
    case ParameterFailure::NotDouble: throw UsageError("--scale must be a number");
    case ParameterFailure::OutOfRange:
        throw UsageError("rows and columns must be at least 4; counts and scale must not be negative");
    }
    if (!sizeFromInput) convertGridSizeTexts(session);
    convertIterationTexts(session);
    if (auto word = options.text("surface")) {
        const auto mode = surfaceModeNamed(*word);
        if (!mode) throw UsageError("--surface takes sweeps, harmonic, thin-plate or tension T");
        session.surface.mode = *mode;
        if (*mode == SurfaceMode::Tension) {
            const double t = *options.real("surface", 1);
            if (!(t >= 0.0 && t <= 1.0)) throw UsageError("--surface tension T needs T from 0 to 1");
            session.surface.tension = t;
        }
    }
}

bool cliWriteGraphicsArray(const std::string& path, const SolutionOutput& format, GraphicsModel& graphics,
                           const OutputOptions& options, Reporter& reporter)
{
    if (!format.write) return format.writeGraphics(path, graphics, reporter);
    SessionState session;
    graphics.imageArray = IntGrid();   // the result is written last: the arrays go as they are handed over
    session.solutionFromGrid(std::move(graphics.elevationArray));
    graphics.elevationArray = IntGrid();
    OutputOptions withRaster = options;
    if (!withRaster.raster) withRaster.raster = graphics.raster;
    withRaster.dted1Header = graphics.dted1Header;
    return format.write(path, session, withRaster, reporter);
}

ByteGrid cliNullPostings(const GraphicsModel& graphics)
{
    ByteGrid filled(graphics.imageRows(), graphics.imageColumns());
    const CellRect rect = graphics.subsetInterpolationPending
                              ? graphics.subsetRectangle
                              : CellRect{0, 0, graphics.imageRows(), graphics.imageColumns()};
    for (int r = rect.top; r < rect.top + rect.rows; ++r)
        for (int c = rect.left; c < rect.left + rect.columns; ++c)
            filled(r, c) = graphics.elevationArray(r, c) < graphics.nullDataDefinition ? 1 : 0;
    return filled;
}

bool cliOpenPatchSource(PatchSource source, const std::string& path, const CliOptions& options,
                        GraphicsModel& graphics, SessionState& session, Reporter& reporter)
{
    cliCheckInput(path);
    reporter.log(path);
    reporter.log(" ");
    reporter.takeIncompleteInput();
    const std::string extension = extensionOf(path);
    MergeLoad load = MergeLoad::WrongType;
    switch (source) {
    case PatchSource::Dted0: load = loadDted0MergeDem(path, extension, graphics, reporter); break;
    case PatchSource::Dted1: load = loadDted1MergeDem(path, extension, graphics, reporter); break;
    case PatchSource::Srtm30: load = loadSrtm30MergeDem(path, extension, graphics, session, reporter); break;
    }
    if (load == MergeLoad::WrongType) {
        const char* rule = source == PatchSource::Dted0   ? "a DTED0 tile ends in .dt0"
                           : source == PatchSource::Dted1 ? "a DTED1 tile ends in .dt1 or .DT1"
                                                          : "an SRTM30 tile ends in .hgt or .dem";
        throw UsageError("'" + path + "': " + rule);
    }
    requireWholeInput(path, options, reporter);
    return load == MergeLoad::Loaded;
}
