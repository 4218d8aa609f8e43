// Despeckle, pattern recognition and edge detection.
//
// All neighbourhood operations read an unchanged copy of their input and write
// a separate output, except the despeckles, which update in place in row
// order. Border pixels (one pixel wide, two for the 5 x 5 operations) are not
// processed. The caller saves the undo copies first (not for the edge
// detectors) and redraws afterwards.
//
// Pre: any grid (a grid smaller than the border leaves nothing to process).
// Post: the grid keeps its size; only the pixels named by each operation change.
#pragma once

#include "app/core/Grid.h"

#include <cstdint>
#include <string>
#include <vector>

/// Despeckle 8 Bit: every interior pixel of elevationArray whose eight neighbours are all 255 becomes 255.
void despeckle8(IntGrid& elevationArray);
/// Despeckle 24 Bit: every interior pixel whose eight neighbours all equal colour becomes colour
/// (colour = the last queried colour).
void despeckle24(IntGrid& imageArray, std::int32_t colour);

/// Block pattern: every interior pixel equal to all eight neighbours becomes white,
/// so solid areas keep only their outlines.
void blockPattern(IntGrid& imageArray);
/// Nibble pattern: every interior pixel with a white neighbour becomes white.
void nibblePattern(IntGrid& imageArray);

/// "Number Neighbors" must be 1 .. 8.
bool neighbourCountValid(int count);
const std::vector<std::string>& neighbourCountErrorLines();
/// Neighbour pattern: every interior pixel with more than count neighbours of exactly its value becomes white.
void neighbourPattern(IntGrid& imageArray, int count);

/// Line pattern: every pixel in rows 2 .. R-3, columns 2 .. C-3 whose 5 x 5
/// neighbourhood matches one of the line-texture templates (LinePattern.h)
/// becomes white. Returns the number of pixels erased.
std::size_t linePattern(IntGrid& imageArray);

enum class SobelMode {
    Trailing,             ///< each response clamped to 0 .. 0xFFFFFF
    LeadingAndTrailing,   ///< a response of magnitude above 0xFFFFFF becomes 0xFFFFFF; negatives kept
};
/// Sobel on the integer values: |gx| + |gy| of 1 or more becomes white, 0 black;
/// border pixels become black.
void sobel(IntGrid& imageArray, SobelMode mode);

/// 5 x 5 Laplacian (24 at the centre, -1 elsewhere) on the integer values:
/// the response clamped to 0 .. 0xFFFFFF is the output; the two-pixel border becomes 0.
void laplacian5x5(IntGrid& imageArray);
