// Rasters read and written through the GDAL library: every single-band raster
// format GDAL opens (GeoTIFF/COG, VRT, Esri ASCII grids, ERDAS Imagine, netCDF,
// ...) and GeoTIFF output. This module is the only place that talks to GDAL; its
// errors become one log line ("GDAL: " and GDAL's message) and a false or empty
// result, never an exception.
//
// Values travel as doubles, north row first; a posting equal to the raster's
// nodata value, or NaN, is null and reads as NaN. Writing, NaN becomes the nodata
// value (for integer types without one: the type's smallest value, 255 for bytes;
// for floats NaN itself) and other values are rounded to the file's type.
//
// GeoTIFF output is tiled (256 x 256), DEFLATE compressed with the horizontal
// predictor for integers and the floating-point predictor for floats, and carries
// the nodata value, the coordinate system and the geotransform given. It is
// written under a temporary name next to the destination and renamed only once
// complete; a Cloud Optimized GeoTIFF is copied from it through GDAL's COG driver.
#pragma once

#include "app/core/Grid.h"
#include "app/core/RasterDescription.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

class Reporter;

namespace gdalraster {

inline constexpr const char* kLinePrefix = "GDAL: ";
inline constexpr int kBlockSide = 256;   ///< tile side of the GeoTIFFs written

struct RasterInfo {
    int rows = 0, cols = 0;
    RasterDescription description;
    std::string driver;   ///< GDAL's short driver name ("GTiff", "AAIGrid", ...)
};

/// True when GDAL opens the path as a raster with exactly one band (no log line).
bool opensAsSingleBandRaster(const std::string& path);

/// An open single-band raster, read by rectangles.
class RasterSource {
public:
    /// Nothing (after a log line) when GDAL cannot open it or it has not exactly one band.
    static std::unique_ptr<RasterSource> open(const std::string& path, Reporter& reporter);
    ~RasterSource();
    RasterSource(const RasterSource&) = delete;
    RasterSource& operator=(const RasterSource&) = delete;

    const RasterInfo& info() const { return info_; }
    /// The postings of out's size whose north-west one is (top, left), nulls as NaN. The
    /// rectangle must lie inside the raster; false after a log line when reading fails.
    bool read(int top, int left, RealGrid& out, Reporter& reporter);

private:
    struct Handle;
    RasterSource(std::unique_ptr<Handle> handle, RasterInfo info);
    std::unique_ptr<Handle> handle_;
    RasterInfo info_;
};

/// The whole raster; nothing after a log line.
struct WholeRaster {
    RealGrid values;   ///< north row first, nulls NaN
    RasterInfo info;
};
std::optional<WholeRaster> readRaster(const std::string& path, Reporter& reporter);

enum class RowOrder { NorthFirst, SouthFirst };

struct GeoTiffOptions {
    bool cog = false;   ///< a Cloud Optimized GeoTIFF (GDAL's COG driver)
    RowOrder order = RowOrder::NorthFirst;   ///< of the grid handed to writeGeoTiff (the file is north first)
};

/// A GeoTIFF being written by rectangles (any order; aligned to kBlockSide for speed).
class GeoTiffSink {
public:
    /// Nothing (after a log line) when the file cannot be created.
    static std::unique_ptr<GeoTiffSink> create(const std::string& path, int rows, int cols,
                                               const RasterDescription& description, const GeoTiffOptions& options,
                                               Reporter& reporter);
    /// Without commit() the temporary file is removed and the destination left as it was.
    ~GeoTiffSink();
    GeoTiffSink(const GeoTiffSink&) = delete;
    GeoTiffSink& operator=(const GeoTiffSink&) = delete;

    /// Writes block's postings with (top, left) as their north-west one; NaN becomes nodata.
    bool write(int top, int left, const RealGrid& block, Reporter& reporter);
    /// Flushes, converts to COG when asked and renames into place; false after a log line.
    bool commit(Reporter& reporter);
    int rows() const { return rows_; }
    int cols() const { return cols_; }
    double nodata() const { return nodata_; }

private:
    struct Handle;
    GeoTiffSink(std::unique_ptr<Handle> handle, int rows, int cols, double nodata);
    std::unique_ptr<Handle> handle_;
    int rows_, cols_;
    double nodata_;
};

/// Writes a whole grid (NaN = null) as a GeoTIFF, within the description's frame when it has one
/// that holds the grid; false after a log line.
bool writeGeoTiff(const std::string& path, const RealGrid& values, const RasterDescription& description,
                  const GeoTiffOptions& options, Reporter& reporter);

/// The nodata value written for a description (its own, or the type's default).
double nodataFor(const RasterDescription& description);

/// The sample type of GDAL's name ("Int16", "Float32", ...; case-insensitive); nothing for others.
std::optional<SampleType> sampleTypeNamed(std::string_view name);

/// Coordinate systems as WKT: an EPSG code, and UTM on a datum ("NAD27", "NAD83", "WGS84", "WGS72").
/// Empty when GDAL does not know them.
std::string crsFromEpsg(int code);
std::string utmCrs(int zone, bool north, const std::string& datum);
std::string geographicCrs(const std::string& datum);
/// True when both WKT texts describe the same coordinate system (both empty counts as same).
bool sameCrs(const std::string& a, const std::string& b);

} // namespace gdalraster
