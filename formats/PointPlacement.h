// Placement of scattered x y z points (CSV and LAS) on a rows x columns grid.
//
// The points' extent is scaled onto the grid: x to the rows (as in index
// files) and y to the columns, each from its smallest value to its largest
// value + 1, so every point lands inside the grid; grid row 0 holds the
// smallest x. A later point at the same place overwrites an earlier one; cells no
// point reaches hold 0.0 (unknown).
#pragma once

#include "app/core/Grid.h"

#include <optional>
#include <vector>

class Reporter;

struct PointXYZ {
    double x = 0.0, y = 0.0, z = 0.0;
};

/// Logs "number of points is:  " and a line of two spaces; with no point at all, nothing
/// more and no grid. Otherwise logs the extent ("minColumns is:  " smallest x, "minRows is:  "
/// smallest y, "maxColumns is:  " largest x + 1, "maxRows is:  " largest y + 1) and the grid
/// size ("rows is:  ", "columns is:  "), and returns the grid with the points placed.
/// Pre: every coordinate is finite.
std::optional<RealGrid> placePoints(const std::vector<PointXYZ>& points, int rows, int columns, Reporter& reporter);
