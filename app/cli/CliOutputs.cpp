// The output options shared by the commands that write a solution. The USGS
// DEM's georeference goes through the checks of the "ASCII DEM Data Entry
// Form", whose defaults stand for options not given.
#include "app/cli/CliCommands.h"
#include "app/cli/CliOptions.h"

#include "app/SolutionOutputs.h"
#include "formats/GdalRaster.h"
#include "formats/Terragen.h"
#include "formats/UsgsDemWriter.h"

#include <cstring>

namespace {

const char* const kUsgsDemOptions[] = {"utm-zone", "origin", "spacing", "datum", "units", "output-scale"};

std::string joined(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines)
        if (!line.empty()) out += (out.empty() ? "" : " ") + line;
    return out;
}

/// The form's entries from the options; nothing typed where an option is missing.
UsgsDemEntryTexts usgsDemTexts(const CliOptions& options)
{
    UsgsDemEntryTexts t;
    t.easting = options.text("origin", 0).value_or("");
    t.northing = options.text("origin", 1).value_or("");
    t.zone = options.text("utm-zone").value_or("");
    t.datum = options.text("datum").value_or(t.datum);
    t.spacing = options.text("spacing").value_or(t.spacing);
    t.planimetricUnits = options.text("units", 0).value_or(t.planimetricUnits);
    t.elevationUnits = options.text("units", 1).value_or(t.elevationUnits);
    t.scale = options.text("output-scale").value_or(t.scale);
    return t;
}

void addUsgsDemGeoreference(const CliOptions& options, OutputOptions& o)
{
    using Outcome = UsgsDemEntryCheck::Outcome;
    const UsgsDemEntryCheck check = checkUsgsDemEntries(usgsDemTexts(options));
    switch (check.outcome) {
    case Outcome::EmptyEntry:
        throw UsageError("a USGS DEM needs --origin E N and --utm-zone Z (and no empty values)");
    case Outcome::ConversionError:
        throw UsageError("USGS DEM options: " + check.conversionText +
                         " (--origin, --utm-zone and --units take integers)");
    case Outcome::RangeError:
        throw UsageError(joined(check.errorLines));
    case Outcome::Accepted:
        break;
    }
    o.usgsDemGeoreference = check.values;
    o.usgsDemLogLines = check.logLines;
}

} // namespace

bool cliIsGeoTiffPath(const std::string& path)
{
    const SolutionOutput* format = findSolutionOutput(path);
    return format && format->write && (std::strcmp(format->extension, ".tif") == 0 ||
                                       std::strcmp(format->extension, ".tiff") == 0);
}

std::map<std::string, int> withOutputOptions(std::map<std::string, int> own)
{
    own.insert({{"tga", 1}, {"terragen-scale", 1}, {"utm-zone", 1}, {"origin", 2}, {"spacing", 1}, {"datum", 1},
                {"units", 2}, {"output-scale", 1}, {"cog", 0}, {"type", 1}});
    return own;
}

OutputOptions cliOutputOptions(const CliOptions& options, const std::string& outputPath)
{
    OutputOptions o;
    if (auto kind = options.text("tga")) {
        if (*kind != "pov" && *kind != "gray") throw UsageError("--tga takes pov or gray");
        o.tgaGrayscale = *kind == "gray";
    }
    o.terragenHeightScale = options.integerOr("terragen-scale", 30);
    if (!terragenScaleFits(o.terragenHeightScale)) throw UsageError(kTerragenScaleLine);
    const SolutionOutput* format = findSolutionOutput(outputPath);
    if (cliIsGeoTiffPath(outputPath)) {
        o.cog = options.has("cog");
        if (auto name = options.text("type")) {
            o.sampleType = gdalraster::sampleTypeNamed(*name);
            if (!o.sampleType)
                throw UsageError("--type takes Byte, Int16, UInt16, Int32, UInt32, Float32 or Float64");
        }
    } else if (options.has("cog") || options.has("type")) {
        throw UsageError("--cog and --type apply to GeoTIFF outputs (.tif, .tiff) only");
    }
    if (format && std::strcmp(format->extension, ".dem") == 0) {
        addUsgsDemGeoreference(options, o);
    } else {
        for (const char* name : kUsgsDemOptions)
            if (options.has(name)) throw UsageError("--" + std::string(name) + " applies to USGS DEM outputs (.dem) only");
    }
    return o;
}
