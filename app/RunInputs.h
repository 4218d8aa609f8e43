// Run's file inputs: the builder that reads each file kind (text grid, CSV and
// LAS points, shapefile) for the interpolation driver.
#pragma once

#include "engine/Interpolation.h"

/// The builder of a file kind, or null for a kind that is not read from a file.
InputBuilder fileInputBuilderFor(InputKind kind);
