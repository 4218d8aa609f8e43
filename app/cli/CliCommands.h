// The subcommands of gridmend-cli. Each runs the same plain code as the
// windows; it only replaces the dialogs by its options.
#pragma once

#include "app/core/Grid.h"
#include "app/core/RasterDescription.h"

#include <map>
#include <string>
#include <vector>

class CliOptions;
class Reporter;
struct OutputOptions;

/// A subcommand: its arguments after the command name. Returns the exit status
/// (0 success, 1 failure); throws UsageError for a bad command line.
using CliCommand = int (*)(const std::vector<std::string>& args, Reporter& reporter);

struct CliCommandInfo {
    const char* name;
    CliCommand run;
    const char* usage;
};

int cliInterpolate(const std::vector<std::string>& args, Reporter& reporter);
int cliConvert(const std::vector<std::string>& args, Reporter& reporter);
int cliFill(const std::vector<std::string>& args, Reporter& reporter);
int cliBatch(const std::vector<std::string>& args, Reporter& reporter);
int cliPrepare(const std::vector<std::string>& args, Reporter& reporter);
int cliClassify(const std::vector<std::string>& args, Reporter& reporter);
int cliPatch(const std::vector<std::string>& args, Reporter& reporter);
int cliResample(const std::vector<std::string>& args, Reporter& reporter);
int cliRender3d(const std::vector<std::string>& args, Reporter& reporter);
int cliTiles(const std::vector<std::string>& args, Reporter& reporter);

/// The output options and their value counts, added to a command's own: "--tga pov|gray",
/// "--terragen-scale N" and the USGS DEM's georeference ("--utm-zone Z", "--origin E N",
/// "--spacing S", "--datum D", "--units P E", "--output-scale F").
std::map<std::string, int> withOutputOptions(std::map<std::string, int> own);
/// The output options for the output path; the georeference options only for ".dem" (then
/// required as the form requires them). Throws UsageError.
OutputOptions cliOutputOptions(const CliOptions& options, const std::string& outputPath);

/// True for a GeoTIFF output path (".tif", ".tiff", any case).
bool cliIsGeoTiffPath(const std::string& path);

/// A raster no dispatch row takes, read through GDAL at full precision: convert, and the void fill
/// of fill, batch and interpolate (nodata and NaN postings, below --null V when given). Exit status as
/// the commands'.
int cliConvertRaster(const std::string& in, const std::string& out, const CliOptions& options, Reporter& reporter);
int cliFillRaster(const char* command, const std::string& in, const std::string& out, const CliOptions& options,
                  Reporter& reporter);
/// "--mask OUT.tif": the postings a fill replaced (1) among the others (0), as a GeoTIFF with
/// the georeference of the input; nothing to do without the option. False after a failure.
bool cliWriteFillMask(const CliOptions& options, const ByteGrid& filled, const RasterDescription* input,
                      Reporter& reporter);

/// Every subcommand, in the order the usage text lists them.
const std::vector<CliCommandInfo>& cliCommands();
