// "Thin": one iteration of Zhang-Suen parallel thinning on the displayed picture.
//
// Pure black pixels (0x000000) are foreground, every other colour background.
// With P2 .. P9 the neighbours N, NE, E, SE, S, SW, W, NW, B the number of
// foreground neighbours and A the number of background-to-foreground steps
// around P2 .. P9, P2: the first sub-pass deletes interior pixels with
// 2 <= B <= 6, A = 1, not all of N, E, S and not all of E, S, W foreground;
// the second, on the result of the first, those with not all of N, E, W and
// not all of N, S, W. Each sub-pass decides on the picture as it was before it.
// Border rows and columns are never deleted.
//
// Pre: a picture of 0xRRGGBB colours (bits above 23 are ignored) at zoom
// factor 1, so that one picture pixel is one cell. Post: when a pixel was
// deleted every pixel is black (foreground) or white; otherwise the picture is
// untouched. The user repeats "Thin" until nothing changes.
#pragma once

#include "app/core/Grid.h"

#include <cstdint>

/// One thinning iteration in place. Returns true when a pixel was deleted.
bool thinIteration(Grid<std::uint32_t>& picture);

/// The read-back after thinning: imageArray := each pixel's colour;
/// elevationArray := 255 for white and 0 for every other colour.
void readBackThinned(const Grid<std::uint32_t>& picture, IntGrid& imageArray, IntGrid& elevationArray);
