// gridmend-cli on rasters read through GDAL (GeoTIFF/COG, VRT, Esri ASCII grids,
// ...: whatever no row of the Open command's table takes). Their values stay
// doubles from the file to the output: convert writes them as read, fill and
// interpolate fill the null postings (the raster's nodata and NaN, and with --null V
// the postings below V) with Run's solver and keep every other posting. A GeoTIFF
// output keeps the input's sample type (or --type), nodata, coordinate system and
// geotransform.
#include "app/cli/CliCommands.h"
#include "app/cli/CliInputs.h"
#include "app/cli/CliOptions.h"

#include "app/RasterFill.h"
#include "app/core/Reporter.h"
#include "app/SessionState.h"
#include "app/SolutionOutputs.h"
#include "formats/GdalRaster.h"

#include <cmath>
#include <cstdio>

namespace {

int fail(const char* command, const std::string& message)
{
    std::fflush(stdout);
    std::fprintf(stderr, "gridmend-cli %s: %s\n", command, message.c_str());
    return 1;
}

/// Writes the raster (north row first, NaN = null) in the output's format: a GeoTIFF directly,
/// any other format as the session's solution with the nulls given the raster's nodata value.
bool writeRaster(const std::string& out, gdalraster::WholeRaster& raster, OutputOptions options, Reporter& reporter)
{
    options.raster = raster.info.description;
    if (cliIsGeoTiffPath(out)) {
        reporter.log(out);
        return gdalraster::writeGeoTiff(out, raster.values, geoTiffDescription(options), {options.cog}, reporter);
    }
    const double nodata = raster.info.description.nodata.value_or(-32768.0);
    for (double& v : raster.values.cells())
        if (std::isnan(v)) v = nodata;
    raster.values.flipRows();   // solutions are south row first
    SessionState session;
    session.solutionGrid = std::move(raster.values);
    session.numberElevationRows = session.solutionGrid->rows();
    session.numberElevationColumns = session.solutionGrid->cols();
    return writeSolutionFile(out, session, options, reporter);
}

} // namespace

int cliConvertRaster(const std::string& in, const std::string& out, const CliOptions& options, Reporter& reporter)
{
    cliOutputFormat(out, true);
    const OutputOptions outputOptions = cliOutputOptions(options, out);
    auto raster = gdalraster::readRaster(in, reporter);
    if (!raster) return fail("convert", "nothing was loaded from " + in);
    if (!writeRaster(out, *raster, outputOptions, reporter)) return fail("convert", "cannot write " + out);
    return 0;
}

int cliFillRaster(const char* command, const std::string& in, const std::string& out, const CliOptions& options,
                  Reporter& reporter)
{
    cliOutputFormat(out, true);
    const OutputOptions outputOptions = cliOutputOptions(options, out);
    if (options.has("subset")) throw UsageError("--subset applies to the program's own tiles, not to " + in);
    PostingRules rules;
    if (auto below = options.real("null")) {
        reporter.log("Null data definition is:  " + formatReal(*below));
        rules.nullBelow = *below;
    }
    if (options.has("sea-level")) rules.seaLevel = {*options.real("sea-level", 0), *options.real("sea-level", 1)};
    SessionState session;
    session.inputFileName = in;
    session.sizeFromInput = true;
    cliSubmitSolverParameters(session, options, true, reporter);

    if (std::string(command) != "interpolate" && cliIsGeoTiffPath(out)) {   // any size: window by window
        RasterFileFill request;
        request.input = in;
        request.output = out;
        request.maskOutput = options.text("mask").value_or("");
        request.rules = rules;
        request.outputType = outputOptions.sampleType;
        request.cog = outputOptions.cog;
        request.solver.laplacianIterations = session.laplacianIterations;
        request.solver.refiningSweeps = session.polishIterations;
        request.solver.lsqrIterations = session.lsqrIterations;
        request.solver.scaleFactor = session.scaleFactor;
        request.solver.surface = session.surface;
        if (!fillRasterFileByWindows(request, reporter)) return fail(command, "the fill of " + in + " failed");
        reporter.log("Done interpolating file.");
        return 0;
    }
    auto raster = gdalraster::readRaster(in, reporter);
    if (!raster) return fail(command, "nothing was loaded from " + in);
    RealGrid& values = raster->values;
    rules.apply(values);
    const ByteGrid filled = nullPostingMask(values);
    if (!fillNullPostings(values, session, reporter)) return fail(command, "the interpolation did not run");
    reporter.log("Done interpolating file.");
    if (!writeRaster(out, *raster, outputOptions, reporter)) return fail(command, "cannot write " + out);
    if (!cliWriteFillMask(options, filled, &raster->info.description, reporter))
        return fail(command, "cannot write " + *options.text("mask"));
    return 0;
}

bool cliWriteFillMask(const CliOptions& options, const ByteGrid& filled, const RasterDescription* input,
                      Reporter& reporter)
{
    const auto path = options.text("mask");
    if (!path) return true;
    RasterDescription mask = input ? *input : RasterDescription{};
    mask.type = SampleType::Byte;
    mask.nodata = 255.0;
    RealGrid values(filled.rows(), filled.cols());
    double* v = values.data();
    for (std::uint8_t m : filled.cells()) *v++ = m;
    reporter.log(*path);
    return gdalraster::writeGeoTiff(*path, values, mask, {}, reporter);
}
