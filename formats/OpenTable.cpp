#include "formats/OpenTable.h"

#include <algorithm>

std::string extensionOf(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
    return std::string(path.substr(dot));
}

std::string nameTailOf(std::string_view path)
{
    if (path.size() < 11) return {};
    return std::string(path.substr(path.size() - 11));
}

const std::vector<OpenRow>& openDispatchTable()
{
    using H = OpenHandling;
    using K = InputKind;
    // number, extensions, by name tail, kind, handling, reader available, clears extension, file kind
    static const std::vector<OpenRow> rows = {
        {1, {".dat", ".txt"}, false, K::TextGridInput, H::AskParameters, true, false, "text grids"},
        {2, {".csv", ".CSV"}, false, K::CsvInput, H::AskParameters, true, false, "CSV point files"},
        {3, {".las", ".LAS"}, false, K::LasInput, H::AskParameters, true, false, "LAS point files"},
        {4, {".shp"}, false, K::ShapefileInput, H::Shapefile, true, false, "shapefiles"},
        {5, {".bmp", ".BMP", ".jpg"}, false, K::SessionGridInput, H::IntoGraphics, true, true, "pictures"},
        {6, {".elv"}, false, K::SessionGridInput, H::IntoGraphics, true, true, "elevation arrays"},
        {7, {".hgt"}, false, K::SessionGridInput, H::IntoGraphics, true, true, "SRTM height files"},
        {8, {".hdf"}, false, K::SessionGridInput, H::IntoGraphics, true, true, "ASTER DEM HDF files"},
        {9, {".ind", ".ort", ".ORT"}, false, K::SessionGridInput, H::IntoGraphics, true, true, "index files"},
        {10, {".dem", ".DEM"}, false, K::SessionGridInput, H::IntoGraphics, true, true, "USGS ASCII DEM files"},
        {11, {".dt1", ".DT1"}, false, K::SessionGridInput, H::IntoGraphics, true, true, "DTED1 files"},
        {12, {}, true, K::SessionGridInput, H::IntoGraphics, true, false, "ER Mapper tiles"},
        {13, {".ima", ".IMA"}, false, K::SessionGridInput, H::IntoGraphics, true, false, "LISA files"},
    };
    return rows;
}

const OpenRow* matchOpenRow(std::string_view extension, std::string_view nameTail)
{
    for (const OpenRow& row : openDispatchTable()) {
        if (row.byNameTail ? nameTail == kErMapperNameTail
                           : std::find(row.extensions.begin(), row.extensions.end(), extension) != row.extensions.end())
            return &row;
    }
    return nullptr;
}

const OpenRow& gdalRasterRow()
{
    static const OpenRow row = {kGdalRasterRow, {}, false, InputKind::SessionGridInput, OpenHandling::IntoGraphics,
                                true, true, "GDAL rasters"};
    return row;
}

std::string notAvailableLine(const OpenRow& row)
{
    return std::string("Reading ") + row.fileKind + " is not available yet.";
}
