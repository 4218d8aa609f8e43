// The interpolation driver: Run's LSQR path.
//
// It obtains the grid to interpolate through the input builder of the
// session's input kind (the request's fileInput for the kinds read from a file), builds the over-determined Laplacian system and its
// right-hand side, computes the central-difference initial estimate (with its
// refining sweeps), solves with LSQR, reports the elapsed time and returns the
// solution in engine orientation (south row first).
//
// Builder skeleton, shared by every input kind: obtain the grid (0.0 =
// unknown) and its size; refuse grids under 2 x 2; count the known nodes
// ("non zero nodes is:  "); generate the equations ("numberRows is:  ");
// fill b; relax the grid for the start estimate x0.
//
// Pre: lsqrIterations > 0 (Run's central-difference path handles 0).
// Post: a problem holding the solution, or nothing after a failure line
// ("Switch error" for an unknown kind, the reader's lines for a file that could
// not be read); nothing is then changed anywhere.
#pragma once

#include "app/core/Grid.h"
#include "app/core/InputKind.h"
#include "app/core/SurfaceChoice.h"
#include "engine/LaplacianSystem.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class InterpolationProblem;
class Reporter;
struct InterpolationRequest;

/// Obtains problem.inputValues (and its size) for one input kind; false after its failure line.
using InputBuilder = bool (*)(const InterpolationRequest& request, InterpolationProblem& problem, Reporter& reporter);

/// What the driver needs from the session (and, for GraphicsGridInput, from the graphics window).
struct InterpolationRequest {
    int rows = 0;                  ///< numberElevationRows (the file kinds read this many rows)
    int columns = 0;               ///< numberElevationColumns
    int lsqrIterations = 0;
    int polishIterations = 0;
    int maxSpan = 0;               ///< MAXSPAN, for shapefile input
    InputKind kind = InputKind::NoInput;
    double scaleFactor = 0.0;
    std::string inputFileName;
    int laplacianIterations = 0;
    const IntGrid* sessionGrid = nullptr;    ///< SessionGridInput: inputGrid, north row first, 255 = no data
    const RealGrid* graphicsGrid = nullptr;  ///< GraphicsGridInput: the graphics window's real-valued array
    std::FILE* reportStream = stdout;        ///< LSQR report header
    SurfaceChoice surface;                   ///< the start estimate: the sweeps, or a converged surface
    InputBuilder fileInput = nullptr;        ///< the file kinds: the reader of inputFileName the caller gives
};

/// One Run's problem: the builder's grid, the system, b, x0 and the solution.
class InterpolationProblem {
public:
    explicit InterpolationProblem(const InterpolationRequest& r)
        : rows(r.rows), columns(r.columns), inputFileName(r.inputFileName),
          laplacianIterations(r.laplacianIterations), polishIterations(r.polishIterations), scaleFactor(r.scaleFactor)
    {
    }

    int rows = 0, columns = 0;
    std::string inputFileName;
    int laplacianIterations = 0, polishIterations = 0;
    double scaleFactor = 0.0;
    /// The grid to interpolate (0.0 = unknown): ownValues, or a grid of the caller's
    /// (GraphicsGridInput reads the graphics window's array itself, not a copy).
    const RealGrid* inputValues = nullptr;
    RealGrid ownValues;
    RealGrid solution;
    std::int32_t knownCount = 0;
    std::unique_ptr<SparseRowSystem> system;
    std::vector<double> rightHandSide;
    std::vector<double> initialEstimate;
    /// Label of the known-node count (the shapefile builder writes its own).
    const char* knownCountLabel = "non zero nodes is:  ";
};

/// The builder of an input kind handed over as a grid, or null for any other kind ("Switch error"
/// unless the request brings its fileInput).
InputBuilder inputBuilderFor(InputKind kind);
/// For the builders: the grid becomes the problem's own input; false for none.
bool holdGrid(InterpolationProblem& p, std::optional<RealGrid> grid);
/// For the builders of the file kinds: whether the session's size can hold a grid (they read
/// that many rows and columns); otherwise the too-small line and false.
bool sessionSizeUsable(const InterpolationRequest& request, Reporter& reporter);

/// The driver: builds, solves and reports; the problem holds the solution.
std::unique_ptr<InterpolationProblem> interpolate(const InterpolationRequest& request, Reporter& reporter);

inline constexpr const char* kSwitchErrorLine = "Switch error";
inline constexpr const char* kGridTooLargeLine = "Grid too large to interpolate with LSQR.";
