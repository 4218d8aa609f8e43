#include "formats/TileGeoreference.h"

#include "formats/GdalRaster.h"
#include "formats/SrtmHgt.h"
#include "formats/UsgsDemReader.h"

#include <cmath>

namespace {

constexpr int kWgs84 = 4326;
constexpr int kGda94 = 4283;

RasterDescription geographic(int epsg, SampleType type, std::optional<double> nodata, double west, double north,
                             double dx, double dy)
{
    RasterDescription d;
    d.type = type;
    d.nodata = nodata;
    d.crsWkt = gdalraster::crsFromEpsg(epsg);
    d.geoTransform = postingTransform(west, north, dx, dy);
    return d;
}

/// A tile spanning one degree; the spacing follows from its side.
double degreeSpacing(int side) { return side > 1 ? 1.0 / (side - 1) : 1.0; }

/// A quadrangle in UTM spans the rows of the spacing lattice from below its southernmost
/// corner to above its northernmost one, as GDAL's reader lays it out; each profile keeps its
/// nearest lattice row, nodata where no profile reaches. Nothing when the corners are missing or do not hold the profiles.
std::optional<RasterDescription::Frame> utmQuadrangleFrame(const UsgsDemGround& g)
{
    if (!g.cornerSouthY || !g.cornerNorthY || g.rows < 1) return std::nullopt;
    const double north = std::ceil(*g.cornerNorthY / g.dy) * g.dy, south = std::floor(*g.cornerSouthY / g.dy) * g.dy;
    const double rows = std::round((north - south) / g.dy) + 1, top = std::round((north - g.northY) / g.dy);
    if (!(top >= 0 && top + g.rows <= rows && rows <= 4.0 * g.rows + 2)) return std::nullopt;
    return RasterDescription::Frame{postingTransform(g.westX, north, g.dx, g.dy), int(rows), int(top), g.profileRows};
}

} // namespace

RasterDescription srtmTileRaster(const TileCorner& corner, int side)
{
    const double s = degreeSpacing(side);
    return geographic(kWgs84, SampleType::Int16, -32768.0, corner.longitude, corner.latitude + 1.0, s, s);
}

RasterDescription dtedTileRaster(const TileCorner& corner, int side)
{
    const double s = degreeSpacing(side);
    RasterDescription d = geographic(kWgs84, SampleType::Int16, -32767.0, corner.longitude, 0.0, s, s);
    // From the south edge up by whole rows: the same bits as DTED readers give.
    (*d.geoTransform)[3] = (corner.latitude - s / 2) + side * s;
    return d;
}

RasterDescription srtm30TileRaster(int northLatitude, int westLongitude)
{
    constexpr double s = 30.0 / 3600.0;
    return geographic(kWgs84, SampleType::Int16, -9999.0, westLongitude + s / 2, northLatitude - s / 2, s, s);
}

RasterDescription erMapperTileRaster(int southLatitude, int westLongitude)
{
    constexpr double s = 9.0 / 3600.0;
    return geographic(kGda94, SampleType::Float32, std::nullopt, westLongitude, southLatitude + 400 * s, s, s);
}

std::optional<RasterDescription> usgsDemRaster(const UsgsDemGround& g)
{
    if (!(g.dx > 0.0) || !(g.dy > 0.0)) return std::nullopt;
    RasterDescription d;
    d.type = SampleType::Int16;
    d.nodata = -32767.0;
    const char* datum = g.horizontalDatum == 2 ? "WGS72" : g.horizontalDatum == 3 ? "WGS84"
                      : g.horizontalDatum == 4 ? "NAD83" : "NAD27";
    if (g.referenceSystem == 1 && g.planimetricUnits == 2) {
        d.crsWkt = gdalraster::utmCrs(g.zone < 0 ? -g.zone : g.zone, g.zone > 0, datum);
        d.geoTransform = postingTransform(g.westX, g.northY, g.dx, g.dy);
        d.frame = utmQuadrangleFrame(g);
        return d;
    }
    if (g.referenceSystem == 0 && g.planimetricUnits == 3) {
        constexpr double arcSeconds = 3600.0;
        d.crsWkt = g.horizontalDatum == 3 ? gdalraster::crsFromEpsg(kWgs84) : gdalraster::geographicCrs(datum);
        // A geographic file's west edge is its quadrangle's, whatever x its first profile records.
        d.geoTransform = postingTransform(g.cornerWestX.value_or(g.westX) / arcSeconds, g.northY / arcSeconds,
                                          g.dx / arcSeconds,
                                          g.dy / arcSeconds);
        return d;
    }
    return std::nullopt;
}
