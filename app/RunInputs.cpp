// The readers of Run's file inputs, one per file kind: each reads the file the
// session names into the grid to interpolate (engine order, 0.0 = unknown) and
// its size, for the interpolation driver (engine/Interpolation.h). A new file
// kind joins by writing its builder and naming it in fileInputBuilderFor.
#include "app/RunInputs.h"

#include "app/core/Reporter.h"
#include "engine/Relaxation.h"
#include "formats/CsvPoints.h"
#include "formats/LasPoints.h"
#include "formats/Shapefile.h"
#include "formats/TextGrid.h"

namespace {

/// TextGridInput: R x C values in file order, file row 0 into grid row 0 (no flip).
bool textGridInput(const InterpolationRequest& request, InterpolationProblem& p, Reporter& reporter)
{
    if (!sessionSizeUsable(request, reporter)) return false;
    auto read = readTextGrid(request.inputFileName, request.rows, request.columns, reporter);
    if (!read) return false;
    if (const std::string shortLine = shortTextGridLine(*read); !shortLine.empty()) {
        reporter.log(shortLine);
        return false;
    }
    return holdGrid(p, std::move(read->grid));
}

bool csvInput(const InterpolationRequest& request, InterpolationProblem& p, Reporter& reporter)
{
    return sessionSizeUsable(request, reporter) &&
           holdGrid(p, readCsvPoints(request.inputFileName, request.rows, request.columns, reporter));
}

bool lasInput(const InterpolationRequest& request, InterpolationProblem& p, Reporter& reporter)
{
    return sessionSizeUsable(request, reporter) &&
           holdGrid(p, readLasPoints(request.inputFileName, request.rows, request.columns, reporter));
}

/// ShapefileInput: the polylines drawn into a grid of at most MAXSPAN cells a side (its size
/// becomes R and C); the relaxation runs its own 10 refining sweeps. A converged surface takes the
/// session's count instead: ten sweeps of averaging would move the drawn contours it holds.
bool shapefileInput(const InterpolationRequest& request, InterpolationProblem& p, Reporter& reporter)
{
    if (!request.surface.converged()) p.polishIterations = 10;
    p.knownCountLabel = "Non zero nodes is:  ";
    return holdGrid(p, readShapefileContours(request.inputFileName, request.maxSpan, reporter));
}

} // namespace

InputBuilder fileInputBuilderFor(InputKind kind)
{
    switch (kind) {
    case InputKind::TextGridInput: return textGridInput;
    case InputKind::ShapefileInput: return shapefileInput;
    case InputKind::CsvInput: return csvInput;
    case InputKind::LasInput: return lasInput;
    default: return nullptr;
    }
}
