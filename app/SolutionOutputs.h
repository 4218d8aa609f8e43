// The output formats chosen by file extension, for scripted use (gridmend-cli
// interpolate and convert): one table, each entry calling the writer the
// window's save command calls. Most formats write the session's solution
// (south row first) as the main window's commands do: ".txt"/".dat" ASCII
// matrix, ".elv" elevation array, ".ter" Terragen, ".bsq" 16-bit BSQ, ".tga"
// POV-Ray or grayscale TGA, ".bmp" the grey 2-D picture, ".hgt" SRTM height
// file, ".dt1" DTED1 behind the header block of the last DTED1 file read (refused
// without one), ".dem" USGS ASCII DEM (with the georeference of its form), ".tif"/".tiff"
// GeoTIFF (with the georeference of the input, when it had one). Some are
// written only by the graphics window from its work array (".ind" index array).
// Extensions compare without regard to case.
#pragma once

#include "app/core/RasterDescription.h"
#include "formats/UsgsDemWriter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class GraphicsModel;
class Reporter;
struct SessionState;

struct OutputOptions {
    bool tgaGrayscale = false;            ///< ".tga": grayscale instead of POV-Ray
    std::int32_t terragenHeightScale = 30;
    /// ".dem": the georeference accepted by the "ASCII DEM Data Entry Form" checks and the
    /// form's log lines (nothing: no georeference was given, nothing is written).
    std::optional<UsgsDemGeoreference> usgsDemGeoreference;
    std::vector<std::string> usgsDemLogLines;
    /// ".tif"/".tiff": the input's sample type, nodata and georeference (nothing: Float32, no
    /// georeference), the type asked for instead, and Cloud Optimized GeoTIFF output.
    std::optional<RasterDescription> raster;
    std::optional<SampleType> sampleType;
    bool cog = false;
    /// ".dt1": the header block of the DTED1 tile opened last (empty: none was opened).
    std::vector<std::uint8_t> dted1Header;
};

/// The description a GeoTIFF output gets from the options.
RasterDescription geoTiffDescription(const OutputOptions& options);

struct SolutionOutput {
    const char* extension;     ///< lower case, with the dot
    const char* description;
    /// Writes the session's solution; empty when only the graphics window writes the format.
    bool (*write)(const std::string& path, SessionState& session, const OutputOptions& options, Reporter& reporter);
    /// Writes the graphics window's work array; empty when only the main window writes the format.
    bool (*writeGraphics)(const std::string& path, GraphicsModel& graphics, Reporter& reporter);
};

/// Every output format.
const std::vector<SolutionOutput>& solutionOutputs();
/// The entry of the path's extension; nullptr when no format has it.
const SolutionOutput* findSolutionOutput(const std::string& path);

/// "Save GeoTIFF": the session's solution as a GeoTIFF (the options' description, Float32 without one).
bool saveSolutionGeoTiff(const std::string& path, SessionState& session, const OutputOptions& options,
                         Reporter& reporter);
/// The GeoTIFF options of a solution: the graphics window's tile description when the solution
/// has the tile's size (after a repair Run the solution is the tile), none otherwise.
OutputOptions solutionRaster(const SessionState& session, const GraphicsModel* graphics);

/// Writes the session's solution in the format of the path's extension. False when nothing was
/// written (no solution, no solution writer for the extension, or a failed write).
bool writeSolutionFile(const std::string& path, SessionState& session, const OutputOptions& options,
                       Reporter& reporter);
