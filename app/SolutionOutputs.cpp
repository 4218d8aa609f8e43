#include "app/SolutionOutputs.h"

#include "app/Reporter.h"
#include "app/SaveCommands.h"
#include "app/SessionState.h"
#include "formats/Bmp.h"
#include "formats/Bsq.h"
#include "formats/Terragen.h"
#include "formats/Tga.h"
#include "view/GreyImage.h"

#include <algorithm>
#include <cctype>

namespace {

bool writeTerragen(const std::string& path, SessionState& s, const OutputOptions& o, Reporter& r)
{
    return saveTerragen(path, *s.solutionGrid, o.terragenHeightScale, r);
}
bool writeBsq(const std::string& path, SessionState& s, const OutputOptions&, Reporter& r)
{
    return saveBsq(path, *s.solutionGrid, r);
}
bool writeTga(const std::string& path, SessionState& s, const OutputOptions& o, Reporter& r)
{
    return saveTga(path, *s.solutionGrid, o.tgaGrayscale ? TgaKind::Grayscale : TgaKind::PovRay, r);
}
bool writeBitmap(const std::string& path, SessionState& s, const OutputOptions&, Reporter& r)
{
    const GreyImage image = displaySolution(s, r);
    return writeGreyBmp(path, image.picture, r);
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
        {".ter", "Terragen terrain", writeTerragen},
        {".bsq", "16-bit BSQ raster", writeBsq},
        {".tga", "POV-Ray TGA (--tga gray: grayscale TGA)", writeTga},
        {".bmp", "grey 2-D picture (Windows bitmap)", writeBitmap},
    };
    return outputs;
}

bool writeSolutionFile(const std::string& path, SessionState& session, const OutputOptions& options,
                       Reporter& reporter)
{
    if (!session.solutionGrid) return false;
    const std::string ext = lowerExtension(path);
    for (const SolutionOutput& o : solutionOutputs())
        if (ext == o.extension) {
            reporter.log(path);
            return o.write(path, session, options, reporter);
        }
    return saveAsciiMatrix(path, session, reporter);
}
