// The void fill of a real-valued raster: Run's solving step on a grid whose null
// postings are NaN, written back into those postings only, at full precision (a
// float DEM is not cut to whole metres on its way through the engine).
//
// The grid enters the engine as a tile does, south row first, its null postings
// as the unknowns (0.0). A known posting of exactly 0 (sea level) enters as the
// smallest positive double, so it stays known and its neighbours see 0 to the
// last bit that matters. The session's parameters choose the relaxation alone
// (lsqrIterations 0, with its refining sweeps) or the LSQR path. Known postings
// are never changed.
//
// A raster file of any size is filled window by window (engine/WindowedFill.h)
// into a GeoTIFF: each group of null postings is solved in its own window on all
// cores, read from the file by rectangles; the filled values are kept in memory
// (16 bytes a filled posting) and the output is then written once, strip by strip,
// as the input is read again. Without refining sweeps and LSQR the result equals
// the whole-grid fill bit for bit.
#pragma once

#include "app/core/Grid.h"
#include "app/core/RasterDescription.h"
#include "engine/WindowedFill.h"

#include <optional>
#include <string>
#include <utility>

class Reporter;
struct SessionState;

/// Which postings of a raster are null besides its nodata and NaN, and the sea-level clipping.
struct PostingRules {
    std::optional<double> nullBelow;                       ///< postings below it are null
    std::optional<std::pair<double, double>> seaLevel;     ///< postings from .first to .second become 0
    /// A posting's value after the rules: NaN for a null posting.
    double apply(double v) const;
    void apply(RealGrid& values) const;
};

/// The engine's value of a posting (NaN = null): 0.0 for a null posting, the smallest positive
/// double for a known 0.
double engineValue(double v);

/// Fills the NaN postings of `values` (north row first) over the whole grid. False, values
/// unchanged, after the engine's log line when nothing was solved.
bool fillNullPostings(RealGrid& values, SessionState& session, Reporter& reporter);

/// 1 where a posting is NaN, 0 elsewhere (the postings a fill will replace).
ByteGrid nullPostingMask(const RealGrid& values);

/// A raster file filled window by window into a GeoTIFF.
struct RasterFileFill {
    std::string input, output;
    std::string maskOutput;              ///< empty: no mask
    PostingRules rules;
    std::optional<SampleType> outputType;   ///< nothing: the input's
    bool cog = false;
    WindowedFillOptions solver;
};

/// False after a log line; the output (and mask) then keep whatever they were.
bool fillRasterFileByWindows(const RasterFileFill& request, Reporter& reporter);
