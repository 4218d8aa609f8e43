#include "formats/GdalRaster.h"

#include "formats/FileIo.h"

#include "app/core/Reporter.h"

#include <gdal.h>
#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <ogr_srs_api.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <mutex>
#include <new>
#include <vector>

namespace gdalraster {
namespace {

/// GDAL's block cache, unless the user sets GDAL_CACHEMAX: rasters are read and written by
/// strips and windows, so a small cache serves, and peak memory follows the work, not the file.
constexpr GIntBig kBlockCacheBytes = GIntBig(128) << 20;

void registerDrivers()
{
    static std::once_flag once;
    std::call_once(once, [] {
        GDALAllRegister();
        if (!CPLGetConfigOption("GDAL_CACHEMAX", nullptr)) GDALSetCacheMax64(kBlockCacheBytes);
    });
}

/// GDAL's messages are collected instead of printed while one of these lives; the last
/// becomes the log line.
class QuietErrors {
public:
    QuietErrors() { CPLPushErrorHandler(CPLQuietErrorHandler); CPLErrorReset(); }
    ~QuietErrors() { CPLPopErrorHandler(); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

    static std::string message(const std::string& fallback)
    {
        const char* m = CPLGetLastErrorMsg();
        return kLinePrefix + ((m && *m) ? std::string(m) : fallback);
    }
};

struct DatasetCloser {
    void operator()(void* d) const { if (d) GDALClose(d); }
};
using Dataset = std::unique_ptr<void, DatasetCloser>;

struct SrsCloser {
    void operator()(void* s) const { if (s) OSRDestroySpatialReference(s); }
};
using Srs = std::unique_ptr<void, SrsCloser>;

struct OptionList {
    char** list = nullptr;
    ~OptionList() { CSLDestroy(list); }
    void set(const char* key, const std::string& value) { list = CSLSetNameValue(list, key, value.c_str()); }
};

const struct {
    SampleType type;
    GDALDataType gdal;
} kTypes[] = {
    {SampleType::Byte, GDT_Byte},       {SampleType::Int16, GDT_Int16},     {SampleType::UInt16, GDT_UInt16},
    {SampleType::Int32, GDT_Int32},     {SampleType::UInt32, GDT_UInt32},   {SampleType::Float32, GDT_Float32},
    {SampleType::Float64, GDT_Float64},
};

GDALDataType gdalType(SampleType t)
{
    for (const auto& e : kTypes)
        if (e.type == t) return e.gdal;
    return GDT_Float32;
}

/// Types GDAL has and this module does not (Int8, Int64, complex) are read as doubles.
SampleType sampleType(GDALDataType t)
{
    for (const auto& e : kTypes)
        if (e.gdal == t) return e.type;
    return SampleType::Float64;
}

/// The value a stored nodata value takes once read as a double.
double storedAs(SampleType type, double v)
{
    if (type == SampleType::Float32) return double(float(v));
    if (type == SampleType::Float64) return v;
    return std::round(v);
}

RasterInfo describe(GDALDatasetH ds)
{
    RasterInfo info;
    info.rows = GDALGetRasterYSize(ds);
    info.cols = GDALGetRasterXSize(ds);
    info.driver = GDALGetDriverShortName(GDALGetDatasetDriver(ds));
    GDALRasterBandH band = GDALGetRasterBand(ds, 1);
    info.description.type = sampleType(GDALGetRasterDataType(band));
    int hasNodata = 0;
    const double nodata = GDALGetRasterNoDataValue(band, &hasNodata);
    if (hasNodata) info.description.nodata = nodata;
    if (const char* wkt = GDALGetProjectionRef(ds)) info.description.crsWkt = wkt;
    std::array<double, 6> t{};
    if (GDALGetGeoTransform(ds, t.data()) == CE_None) info.description.geoTransform = t;
    return info;
}

} // namespace

struct RasterSource::Handle {
    Dataset dataset;
    std::mutex mutex;   // a GDAL dataset serves one thread at a time
};

RasterSource::RasterSource(std::unique_ptr<Handle> handle, RasterInfo info)
    : handle_(std::move(handle)), info_(std::move(info))
{
}

RasterSource::~RasterSource() = default;

bool opensAsSingleBandRaster(const std::string& path)
{
    registerDrivers();
    QuietErrors quiet;
    Dataset ds(GDALOpenEx(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
    return ds && GDALGetRasterCount(ds.get()) == 1;
}

std::unique_ptr<RasterSource> RasterSource::open(const std::string& path, Reporter& reporter)
{
    registerDrivers();
    QuietErrors quiet;
    Dataset ds(GDALOpenEx(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
    if (!ds) {
        reporter.log(QuietErrors::message("cannot open " + path + " as a raster"));
        return nullptr;
    }
    if (GDALGetRasterCount(ds.get()) != 1) {
        reporter.log(kLinePrefix + path + " has " + std::to_string(GDALGetRasterCount(ds.get())) +
                     " bands; only single-band rasters are read");
        return nullptr;
    }
    RasterInfo info = describe(ds.get());
    auto handle = std::make_unique<Handle>();
    handle->dataset = std::move(ds);
    return std::unique_ptr<RasterSource>(new RasterSource(std::move(handle), std::move(info)));
}

bool RasterSource::read(int top, int left, RealGrid& out, Reporter& reporter)
{
    if (out.empty()) return true;
    if (top < 0 || left < 0 || top + out.rows() > info_.rows || left + out.cols() > info_.cols) {
        reporter.log(std::string(kLinePrefix) + "a read outside the raster was refused");
        return false;
    }
    {
        std::lock_guard lock(handle_->mutex);
        QuietErrors quiet;
        GDALRasterBandH band = GDALGetRasterBand(handle_->dataset.get(), 1);
        if (GDALRasterIO(band, GF_Read, left, top, out.cols(), out.rows(), out.data(), out.cols(), out.rows(),
                         GDT_Float64, 0, 0) != CE_None) {
            reporter.log(QuietErrors::message("reading the raster failed"));
            return false;
        }
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    if (info_.description.nodata) {
        const double nodata = storedAs(info_.description.type, *info_.description.nodata);
        for (double& v : out.cells())
            if (v == nodata) v = nan;
    }
    return true;
}

std::optional<WholeRaster> readRaster(const std::string& path, Reporter& reporter)
{
    auto source = RasterSource::open(path, reporter);
    if (!source) return std::nullopt;
    try {
        WholeRaster raster{RealGrid(source->info().rows, source->info().cols), source->info()};
        if (!source->read(0, 0, raster.values, reporter)) return std::nullopt;
        return raster;
    } catch (const std::bad_alloc&) {
        reporter.log(std::string(kLinePrefix) + "not enough memory to hold " + path);
        return std::nullopt;
    }
}

double nodataFor(const RasterDescription& d)
{
    if (d.nodata) return *d.nodata;
    switch (d.type) {
    case SampleType::Byte: return 255.0;
    case SampleType::Int16: return -32768.0;
    case SampleType::UInt16: return 65535.0;
    case SampleType::Int32: return -2147483648.0;
    case SampleType::UInt32: return 4294967295.0;
    case SampleType::Float32:
    case SampleType::Float64: break;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

struct GeoTiffSink::Handle {
    Dataset dataset;
    std::string finalPath, partPath, cogPath;
    bool cog = false;
    bool committed = false;
    std::vector<double> buffer;

    ~Handle()
    {
        dataset.reset();
        if (committed) return;
        std::error_code ignored;
        std::filesystem::remove(partPath, ignored);
        if (!cogPath.empty()) std::filesystem::remove(cogPath, ignored);
    }
};

GeoTiffSink::GeoTiffSink(std::unique_ptr<Handle> handle, int rows, int cols, double nodata)
    : handle_(std::move(handle)), rows_(rows), cols_(cols), nodata_(nodata)
{
}

GeoTiffSink::~GeoTiffSink() = default;

std::unique_ptr<GeoTiffSink> GeoTiffSink::create(const std::string& path, int rows, int cols,
                                                 const RasterDescription& description, const GeoTiffOptions& options,
                                                 Reporter& reporter)
{
    registerDrivers();
    QuietErrors quiet;
    GDALDriverH driver = GDALGetDriverByName("GTiff");
    if (!driver || rows < 1 || cols < 1) {
        reporter.log(std::string(kLinePrefix) + "cannot write an empty raster or GeoTIFF is not available");
        return nullptr;
    }
    auto handle = std::make_unique<Handle>();
    handle->finalPath = path;
    handle->partPath = path + ".part";
    handle->cog = options.cog;
    OptionList create;
    create.set("TILED", "YES");
    create.set("BLOCKXSIZE", std::to_string(kBlockSide));
    create.set("BLOCKYSIZE", std::to_string(kBlockSide));
    create.set("COMPRESS", "DEFLATE");
    create.set("PREDICTOR", description.isInteger() ? "2" : "3");
    create.set("BIGTIFF", "IF_SAFER");
    handle->dataset.reset(GDALCreate(driver, handle->partPath.c_str(), cols, rows, 1, gdalType(description.type),
                                     create.list));
    if (!handle->dataset) {
        reporter.log(QuietErrors::message("cannot create " + path));
        return nullptr;
    }
    GDALDatasetH ds = handle->dataset.get();
    const double nodata = nodataFor(description);
    bool ok = GDALSetRasterNoDataValue(GDALGetRasterBand(ds, 1), nodata) == CE_None;
    if (description.geoTransform) {
        std::array<double, 6> t = *description.geoTransform;
        ok = ok && GDALSetGeoTransform(ds, t.data()) == CE_None;
    }
    if (!description.crsWkt.empty()) ok = ok && GDALSetProjection(ds, description.crsWkt.c_str()) == CE_None;
    if (!ok) {
        reporter.log(QuietErrors::message("cannot set the georeference of " + path));
        return nullptr;
    }
    return std::unique_ptr<GeoTiffSink>(new GeoTiffSink(std::move(handle), rows, cols, nodata));
}

bool GeoTiffSink::write(int top, int left, const RealGrid& block, Reporter& reporter)
{
    if (block.empty()) return true;
    if (!handle_->dataset || top < 0 || left < 0 || top + block.rows() > rows_ || left + block.cols() > cols_) {
        reporter.log(std::string(kLinePrefix) + "a write outside the raster was refused");
        return false;
    }
    std::vector<double>& b = handle_->buffer;
    b.assign(block.cells().begin(), block.cells().end());
    for (double& v : b)
        if (std::isnan(v)) v = nodata_;
    QuietErrors quiet;
    GDALRasterBandH band = GDALGetRasterBand(handle_->dataset.get(), 1);
    if (GDALRasterIO(band, GF_Write, left, top, block.cols(), block.rows(), b.data(), block.cols(), block.rows(),
                     GDT_Float64, 0, 0) != CE_None) {
        reporter.log(QuietErrors::message("writing " + handle_->finalPath + " failed"));
        return false;
    }
    return true;
}

bool GeoTiffSink::commit(Reporter& reporter)
{
    Handle& h = *handle_;
    if (!h.dataset) return false;
    QuietErrors quiet;
    GDALFlushCache(h.dataset.get());
    if (CPLGetLastErrorType() >= CE_Failure) {
        reporter.log(QuietErrors::message("writing " + h.finalPath + " failed"));
        return false;
    }
    std::string written = h.partPath;
    if (h.cog) {
        h.cogPath = h.finalPath + ".cog.part";
        GDALDriverH cog = GDALGetDriverByName("COG");
        OptionList options;
        options.set("COMPRESS", "DEFLATE");
        options.set("PREDICTOR", "YES");
        options.set("BLOCKSIZE", std::to_string(kBlockSide));
        options.set("BIGTIFF", "IF_SAFER");
        Dataset copy(cog ? GDALCreateCopy(cog, h.cogPath.c_str(), h.dataset.get(), FALSE, options.list, nullptr,
                                          nullptr)
                         : nullptr);
        if (!copy || CPLGetLastErrorType() >= CE_Failure) {
            reporter.log(QuietErrors::message("writing the Cloud Optimized GeoTIFF " + h.finalPath + " failed"));
            return false;
        }
        copy.reset();
        written = h.cogPath;
    }
    h.dataset.reset();   // closes the file: GDAL writes the last blocks and the directory here
    if (CPLGetLastErrorType() >= CE_Failure) {
        reporter.log(QuietErrors::message("writing " + h.finalPath + " failed"));
        return false;
    }
    if (const std::string why = fileio::commitTemporary(written, h.finalPath); !why.empty()) {
        reporter.log(std::string(kLinePrefix) + "cannot rename the finished file to " + h.finalPath + ": " + why);
        return false;
    }
    h.committed = true;
    std::error_code error;
    std::filesystem::remove(written == h.cogPath ? h.partPath : h.cogPath, error);
    return true;
}

bool writeGeoTiff(const std::string& path, const RealGrid& values, const RasterDescription& description,
                  const GeoTiffOptions& options, Reporter& reporter)
{
    // A frame that holds the whole grid sets the file's extent; the rows outside the grid are null.
    const auto& frame = description.frame;
    const bool framed = frame && frame->top >= 0 && frame->top + values.rows() <= frame->rows;
    RasterDescription written = description;
    if (framed) written.geoTransform = frame->transform;
    const int fileRows = framed ? frame->rows : values.rows(), top = framed ? frame->top : 0;
    auto sink = GeoTiffSink::create(path, fileRows, values.cols(), written, options, reporter);
    if (!sink) return false;
    // Bands of whole block rows keep the extra buffer small.
    for (int first = 0; first < fileRows; first += kBlockSide) {
        const int rows = std::min(kBlockSide, fileRows - first);
        RealGrid band(rows, values.cols(), std::numeric_limits<double>::quiet_NaN());
        for (int r = 0; r < rows; ++r) {
            const int g = first + r - top;
            if (g < 0 || g >= values.rows()) continue;
            const int from = options.order == RowOrder::NorthFirst ? g : values.rows() - 1 - g;
            std::copy_n(values.row(from), values.cols(), band.row(r));
            if (framed && frame->columnRows.size() == std::size_t(values.cols()))
                for (int c = 0; c < values.cols(); ++c) {
                    const auto [north, south] = frame->columnRows[std::size_t(c)];
                    if (g < north || g > south) band(r, c) = std::numeric_limits<double>::quiet_NaN();
                }
        }
        if (!sink->write(first, 0, band, reporter)) return false;
    }
    return sink->commit(reporter);
}

std::optional<SampleType> sampleTypeNamed(std::string_view name)
{
    for (const auto& e : kTypes) {
        const std::string_view known = GDALGetDataTypeName(e.gdal);
        if (known.size() == name.size() &&
            std::equal(known.begin(), known.end(), name.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
            }))
            return e.type;
    }
    return std::nullopt;
}

namespace {

std::string wktOf(void* srs)
{
    char* text = nullptr;
    const char* options[] = {"FORMAT=WKT2_2018", nullptr};
    if (OSRExportToWktEx(srs, &text, options) != OGRERR_NONE || !text) {
        CPLFree(text);
        return {};
    }
    std::string wkt = text;
    CPLFree(text);
    return wkt;
}

} // namespace

std::string crsFromEpsg(int code)
{
    registerDrivers();
    QuietErrors quiet;
    Srs srs(OSRNewSpatialReference(nullptr));
    if (!srs || OSRImportFromEPSG(srs.get(), code) != OGRERR_NONE) return {};
    return wktOf(srs.get());
}

std::string utmCrs(int zone, bool north, const std::string& datum)
{
    registerDrivers();
    QuietErrors quiet;
    Srs srs(OSRNewSpatialReference(nullptr));
    if (!srs || OSRSetWellKnownGeogCS(srs.get(), datum.c_str()) != OGRERR_NONE ||
        OSRSetUTM(srs.get(), zone, north ? TRUE : FALSE) != OGRERR_NONE)
        return {};
    return wktOf(srs.get());
}

std::string geographicCrs(const std::string& datum)
{
    registerDrivers();
    QuietErrors quiet;
    Srs srs(OSRNewSpatialReference(nullptr));
    if (!srs || OSRSetWellKnownGeogCS(srs.get(), datum.c_str()) != OGRERR_NONE) return {};
    return wktOf(srs.get());
}

bool sameCrs(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty()) return a.empty() && b.empty();
    registerDrivers();
    QuietErrors quiet;
    Srs sa(OSRNewSpatialReference(nullptr)), sb(OSRNewSpatialReference(nullptr));
    if (OSRSetFromUserInput(sa.get(), a.c_str()) != OGRERR_NONE ||
        OSRSetFromUserInput(sb.get(), b.c_str()) != OGRERR_NONE)
        return false;
    return OSRIsSame(sa.get(), sb.get()) != 0;
}

} // namespace gdalraster
