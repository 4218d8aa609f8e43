// What GDAL itself reads from a raster file: the reference for what a written file says.
#pragma once

#include <gdal.h>
#include <ogr_srs_api.h>

#include <array>
#include <string>
#include <vector>

/// What GDAL reports for a raster file.
struct GdalView {
    int rows = 0, cols = 0, blockRows = 0, blockCols = 0, hasNodata = 0;
    std::string type, crs, compression, predictor, layout;
    double nodata = 0;
    std::array<double, 6> transform{};
    std::vector<double> values;   // north row first, as stored
    double at(int r, int c) const { return values[std::size_t(r) * std::size_t(cols) + std::size_t(c)]; }
};

constexpr std::size_t kMaxValuesRead = 1u << 22;   // larger rasters: only their description

inline GdalView gdalView(const std::string& path)
{
    GDALAllRegister();
    GdalView v;
    GDALDatasetH ds = GDALOpen(path.c_str(), GA_ReadOnly);
    if (!ds) return v;
    v.rows = GDALGetRasterYSize(ds), v.cols = GDALGetRasterXSize(ds);
    GDALRasterBandH band = GDALGetRasterBand(ds, 1);
    GDALGetBlockSize(band, &v.blockCols, &v.blockRows);
    v.type = GDALGetDataTypeName(GDALGetRasterDataType(band));
    v.nodata = GDALGetRasterNoDataValue(band, &v.hasNodata);
    v.crs = GDALGetProjectionRef(ds);
    GDALGetGeoTransform(ds, v.transform.data());
    auto meta = [&](const char* key) {
        const char* m = GDALGetMetadataItem(ds, key, "IMAGE_STRUCTURE");
        return std::string(m ? m : "");
    };
    v.compression = meta("COMPRESSION"), v.predictor = meta("PREDICTOR"), v.layout = meta("LAYOUT");
    const std::size_t cells = std::size_t(v.rows) * std::size_t(v.cols);
    v.values.resize(cells <= kMaxValuesRead ? cells : 0);
    if (!v.values.empty() &&
        GDALRasterIO(band, GF_Read, 0, 0, v.cols, v.rows, v.values.data(), v.cols, v.rows, GDT_Float64, 0, 0) !=
            CE_None)
        v.values.clear();
    GDALClose(ds);
    return v;
}

inline bool sameCrs(const std::string& a, const std::string& b)
{
    OGRSpatialReferenceH sa = OSRNewSpatialReference(a.c_str()), sb = OSRNewSpatialReference(b.c_str());
    const bool same = sa && sb && OSRIsSame(sa, sb);
    OSRDestroySpatialReference(sa);
    OSRDestroySpatialReference(sb);
    return same;
}
