// The void fill of a real-valued raster: Run's solving step on a grid whose null
// postings are NaN, written back into those postings only, at full precision (a
// float DEM is not cut to whole metres on its way through the engine).
//
// The grid enters the engine as a tile does: south row first, its null postings
// as the unknowns (0.0); the session's parameters choose the relaxation alone
// (lsqrIterations 0, with its refining sweeps) or the LSQR path. Known postings
// of the raster are never changed (a known posting of exactly 0 is an unknown to
// the engine, as on a tile, but keeps its value).
#pragma once

#include "app/Grid.h"

class Reporter;
struct SessionState;

/// Fills the NaN postings of `values` (north row first). False, values unchanged, after the
/// engine's log line when nothing was solved.
bool fillNullPostings(RealGrid& values, SessionState& session, Reporter& reporter);

/// 1 where a posting is NaN, 0 elsewhere (the postings a fill will replace).
ByteGrid nullPostingMask(const RealGrid& values);
