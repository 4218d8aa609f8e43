#include "app/SolutionOutputs.h"

#include "app/core/Reporter.h"
#include "app/SaveCommands.h"
#include "app/SessionState.h"
#include "formats/Bmp.h"
#include "formats/Bsq.h"
#include "formats/GdalRaster.h"
#include "formats/Terragen.h"
#include "formats/Tga.h"
#include "graphics/GraphicsModel.h"
#include "graphics/GraphicsSaves.h"
#include "view/GreyImage.h"

#include <algorithm>
#include <cctype>

namespace {

// The savers of "Save ASCII " and "Save Elevation Array" log the path themselves; the others
// log it here, as their commands do after the dialog.
bool writeAscii(const std::string& path, SessionState& s, const OutputOptions&, Reporter& r)
{
    return saveAsciiMatrix(path, s, r);
}
bool writeElevationArray(const std::string& path, SessionState& s, const OutputOptions&, Reporter& r)
{
    return saveSolutionElevationArray(path, s, r);
}
bool writeTerragen(const std::string& path, SessionState& s, const OutputOptions& o, Reporter& r)
{
    r.log(path);
    return saveTerragen(path, *s.solutionGrid, o.terragenHeightScale, r);
}
bool writeBsq(const std::string& path, SessionState& s, const OutputOptions&, Reporter& r)
{
    r.log(path);
    return saveBsq(path, *s.solutionGrid, r);
}
bool writeTga(const std::string& path, SessionState& s, const OutputOptions& o, Reporter& r)
{
    r.log(path);
    return saveTga(path, *s.solutionGrid, o.tgaGrayscale ? TgaKind::Grayscale : TgaKind::PovRay, r);
}
bool writeSrtm(const std::string& path, SessionState& s, const OutputOptions&, Reporter& r)
{
    return saveSolutionAsSrtm(path, s, r);
}
bool writeDted1File(const std::string& path, SessionState& s, const OutputOptions& o, Reporter& r)
{
    return saveSolutionAsDted1(path, s, o.dted1Header, r);
}
bool writeBitmap(const std::string& path, SessionState& s, const OutputOptions&, Reporter& r)
{
    r.log(path);
    const GreyImage image = displaySolution(s, r);
    return writeGreyBmp(path, image.picture, r);
}

/// "SaveASCIIDEM": the path, the form's lines, then the file.
bool writeUsgsDem(const std::string& path, SessionState& s, const OutputOptions& o, Reporter& r)
{
    r.log(path);
    if (!o.usgsDemGeoreference) return false;
    for (const std::string& line : o.usgsDemLogLines) r.log(line);
    return saveUsgsAsciiDem(path, s, *o.usgsDemGeoreference, r);
}

bool writeGeoTiffFile(const std::string& path, SessionState& s, const OutputOptions& o, Reporter& r)
{
    return saveSolutionGeoTiff(path, s, o, r);
}

std::string lowerExtension(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

} // namespace

const std::vector<SolutionOutput>& solutionOutputs()
{
    static const std::vector<SolutionOutput> outputs = {
        {".txt", "ASCII matrix (\"Save ASCII \")", writeAscii, nullptr},
        {".dat", "ASCII matrix (\"Save ASCII \")", writeAscii, nullptr},
        {".elv", "elevation array (\"Save Elevation Array\")", writeElevationArray, nullptr},
        {".ter", "Terragen terrain", writeTerragen, nullptr},
        {".bsq", "16-bit BSQ raster", writeBsq, nullptr},
        {".tga", "POV-Ray TGA (--tga gray: grayscale TGA)", writeTga, nullptr},
        {".bmp", "grey 2-D picture (Windows bitmap)", writeBitmap, nullptr},
        {".dt1", "DTED1 (\"Save DTED1\"), behind the header of the DTED1 file read", writeDted1File, nullptr},
        {".dem", "USGS ASCII DEM (\"SaveASCIIDEM\")", writeUsgsDem, nullptr},
        {".ind", "the graphics window's index array (\"Save Index Array\")", nullptr, saveGraphicsIndexArray},
        {".hgt", "SRTM height file (\"Save SRTM\"; the graphics window's \"Save SRTM Heightfield\")", writeSrtm,
         saveGraphicsSrtmHeightfield},
        {".tif", "GeoTIFF (--cog: Cloud Optimized; --type T: sample type)", writeGeoTiffFile, nullptr},
        {".tiff", "GeoTIFF (--cog: Cloud Optimized; --type T: sample type)", writeGeoTiffFile, nullptr},
    };
    return outputs;
}

bool saveSolutionGeoTiff(const std::string& path, SessionState& s, const OutputOptions& o, Reporter& r)
{
    r.log(path);
    if (!s.solutionGrid) return false;
    return gdalraster::writeGeoTiff(path, *s.solutionGrid, geoTiffDescription(o),
                                    {o.cog, gdalraster::RowOrder::SouthFirst}, r);
}

OutputOptions solutionRaster(const SessionState& s, const GraphicsModel* graphics)
{
    OutputOptions o;
    if (graphics && graphics->raster && s.solutionGrid && s.solutionGrid->rows() == graphics->imageRows() &&
        s.solutionGrid->cols() == graphics->imageColumns())
        o.raster = graphics->raster;
    return o;
}

RasterDescription geoTiffDescription(const OutputOptions& o)
{
    RasterDescription d = o.raster.value_or(RasterDescription{});
    if (o.sampleType && *o.sampleType != d.type) {
        d.type = *o.sampleType;
        d.nodata.reset();   // the input's nodata may not fit the other type: the type's own
    }
    return d;
}

const SolutionOutput* findSolutionOutput(const std::string& path)
{
    const std::string ext = lowerExtension(path);
    for (const SolutionOutput& o : solutionOutputs())
        if (ext == o.extension) return &o;
    return nullptr;
}

bool writeSolutionFile(const std::string& path, SessionState& session, const OutputOptions& options,
                       Reporter& reporter)
{
    const SolutionOutput* output = findSolutionOutput(path);
    if (!session.solutionGrid || !output || !output->write) return false;
    return output->write(path, session, options, reporter);
}
