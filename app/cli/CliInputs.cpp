#include "app/cli/CliInputs.h"

#include "app/cli/CliOptions.h"
#include "app/SessionState.h"
#include "app/SolutionOutputs.h"
#include "app/SolverParameters.h"
#include "app/TextNumbers.h"
#include "formats/OpenDispatch.h"
#include "graphics/GraphicsLoaders.h"

namespace {

constexpr int kErMapperRow = 12;

bool asksErCorner(const OpenRow& row) { return row.number == kErMapperRow; }

} // namespace

std::map<std::string, int> withInputOptions(std::map<std::string, int> own)
{
    own.emplace("corner", 2);
    own.emplace("maxspan", 1);
    return own;
}

const OpenRow& cliInputRow(const std::string& path)
{
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
    return row.load(path, graphics, reporter);
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
