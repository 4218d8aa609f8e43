// What a raster file says about its postings besides their values: the sample
// type, the nodata value and the georeference (coordinate system as WKT and the
// affine geotransform of the pixel corners, GDAL's convention: x = t0 + col*t1 +
// row*t2, y = t3 + col*t4 + row*t5 at a pixel's upper-left corner).
//
// Grids read from a raster carry it beside them so a command can write its
// result with the georeference of its input. Plain data, no library types.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

enum class SampleType { Byte, Int16, UInt16, Int32, UInt32, Float32, Float64 };

struct RasterDescription {
    SampleType type = SampleType::Float32;
    std::optional<double> nodata;                  ///< the value standing for a null posting
    std::string crsWkt;                            ///< empty: no coordinate system
    std::optional<std::array<double, 6>> geoTransform;
    /// Where a GeoTIFF written from the grid places it, when the source file declares a taller
    /// extent than its postings fill: a raster `rows` tall with geotransform `transform`, the
    /// grid's north row at row `top`, nodata in the other rows and, when `columnRows` has one pair
    /// per column, in each column's rows outside its first and last grid rows holding postings.
    /// Nothing: the grid is the raster.
    struct Frame {
        std::array<double, 6> transform{};
        int rows = 0, top = 0;
        std::vector<std::pair<int, int>> columnRows;
    };
    std::optional<Frame> frame;

    bool isInteger() const { return type != SampleType::Float32 && type != SampleType::Float64; }
};

/// The geotransform of postings spaced dx east and dy south whose north-west posting lies at
/// (westPosting, northPosting): each posting is the centre of its cell, so the raster's corner
/// lies half a spacing beyond the outer postings (as SRTM, DTED and USGS DEM readers place them).
inline std::array<double, 6> postingTransform(double westPosting, double northPosting, double dx, double dy)
{
    return {westPosting - dx / 2, dx, 0.0, northPosting + dy / 2, 0.0, -dy};
}
