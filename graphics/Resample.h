// "Resample DEM": the tile reduced by a factor of 2, 4 or 8 in both directions
// (a 1-arc-second tile becomes a 2-, 4- or 8-arc-second one).
//
// Method: posting (r, c) with r, c = 0, k, 2k, ... becomes output posting
// (r/k, c/k). An interior posting (1 <= r < R-1, 1 <= c < C-1) that holds data
// and whose four direct neighbours hold data becomes the average of the four
// neighbours (itself not counted), truncated toward zero; every other sampled
// posting (null, next to a null, on the edge) keeps its own value. Data: above
// nullDataDefinition.
// Pre: k >= 1. Post: R/k x C/k postings (integer division; samples beyond are
// dropped).
#pragma once

#include "app/core/Grid.h"

#include <cstdint>

class GraphicsModel;
class Reporter;

/// The resampled grid.
IntGrid resampleGrid(const IntGrid& grid, int k, std::int32_t nullDataDefinition);

/// Replaces both arrays of the window by the resampled elevationArray, refreshes
/// the display and fits the window to it; the undo copies and the tile corner stay.
/// A tile smaller than k in either direction is refused with a log line (false).
bool resampleTile(GraphicsModel& graphics, int k, Reporter& reporter);
