// The 3-D surface of an elevation grid as plain numbers: the light direction,
// the quadrilateral mesh with one normal per quadrilateral, and the smoothing
// that repair commands request before the next mesh.
//
// Mesh: for every cell (i, j) with i < rows-1 and j < columns-1 one
// quadrilateral with the vertices (i, j), (i+1, j), (i+1, j+1), (i, j+1) in
// that order, x = row index, y = column index, z = elevation in single
// precision; its normal is u x v with u = (1, 0, dz along rows) and
// v = (0, 1, dz along columns), divided by its length. A grid of one row or one
// column has no quadrilaterals.
#pragma once

#include "app/core/Grid.h"

#include <array>
#include <vector>

using Vec3 = std::array<float, 3>;

/// Direction of the light: azimuth is the elevation angle, bearing the horizontal
/// direction, both in degrees: (cos b cos a, sin b cos a, sin a).
Vec3 lightDirection(float solarAzimuth, float solarBearing);

/// Unit normal of the quadrilateral whose corner (i, j) has elevation z00, (i+1, j) z10 and (i, j+1) z01.
Vec3 quadNormal(float z00, float z10, float z01);

/// The vertices and normals of the quadrilaterals of grid row i (columns 0 .. columns-2),
/// four vertices a quadrilateral, its normal repeated for each of them; rows and
/// columns are limited to the grid's own size. Returns the number of quadrilaterals.
int meshRow(const RealGrid& z, int i, std::vector<float>& vertices, std::vector<float>& normals);

/// Number of quadrilaterals the mesh of the grid holds.
long long quadCount(const RealGrid& z);

/// Smooths the interior of the grid in place: each pass visits rows 1..rows-2 and
/// columns 1..columns-2 in order and sets a cell to the mean of its four neighbours,
/// using the values already replaced in the same pass (north and west). Borders stay.
void smoothGrid(RealGrid& z, int passes);
