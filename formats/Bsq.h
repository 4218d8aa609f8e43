// Headerless 16-bit BSQ rasters (".bsq"): the solution truncated to integers,
// each value's low 16 bits low byte first, rows from the northern edge
// (solution row R-1) to the southern, columns west to east.
#pragma once

#include "app/core/Grid.h"

#include <cstdint>
#include <string>
#include <vector>

class Reporter;

std::vector<std::uint8_t> encodeBsq(const IntGrid& southFirst);

/// "Save BSQ" after its dialog; false (after "could not open output file") when not written.
bool saveBsq(const std::string& path, const RealGrid& solution, Reporter& reporter);
