// Patching an SRTM tile's voids from coarser tiles of the same area: the
// commands of "DEM Interpolation" > "Interpolate Using DTED0 or SRTM30 Data",
// "Patch SRTM-3 using DTED1 Data" and "Patch SRTM-1 Using DTED1 Data".
//
// Method. A DTED0 tile (121 x 121) or the 120 x 120 block of an SRTM30 tile
// that covers the tile is spread onto the 1201 x 1201 SRTM-3 lattice, one
// coarse posting every 10 fine postings, 0.0 marking every posting to
// interpolate (expandDted0, expandSrtm30); the expanded grid is the next Run's
// input. Separately: Run interpolates it and hands its solution back as
// interpolatedGrid, and assignInterpolated copies that surface into the tile's
// null postings. Coupled: insertExpanded copies the coarse postings into the
// tile's null postings and marks them in insertedMask; the next Run
// interpolates the whole tile and the write-back replaces the null and the
// marked postings with the solved surface. A DTED1 tile patches an SRTM-3 tile
// posting for posting (patchFromDted1) or, spread every third posting onto
// 3601 x 3601, seeds the voids of an SRTM-1 tile (expandDted1AndPatchSrtm1).
//
// Null: below nullDataDefinition (strictly), except in the expansions, where a
// coarse posting equal to it is left to interpolate as well.
// Pre: the window's arrays and the patch sources are north row first;
// interpolatedGrid is south row first (a Run's solution).
// Post: a command either does its work (and sets the session fields its comment
// names) or changes nothing: silently when its source grid is not held, after
// one log line when the sizes or corners do not fit.
#pragma once

#include "app/core/Grid.h"

#include <cstdint>

class GraphicsModel;
class Reporter;
struct GridHandover;

namespace coarsepatch {
inline constexpr int kLatticeStep = 10;            ///< fine postings per coarse posting (DTED0, SRTM30)
inline constexpr int kSrtm30Block = 120;           ///< SRTM30 postings per degree
inline constexpr int kSrtm3Side = 1201;
inline constexpr int kSrtm1Side = 3601;
inline constexpr int kDted1Step = 3;               ///< SRTM-1 postings per DTED1 posting
inline constexpr std::int32_t kDted1Filler = -500; ///< off-lattice postings of the expanded DTED1 grid
inline constexpr const char* kOutsideLine1 = "It looks like your SRTM tile lies outside the boundaries";
inline constexpr const char* kOutsideLine2 = "of your SRTM30 tile.";
inline constexpr const char* kCornersDifferLine = "Corner coordinates of base and target image do not match!";
inline constexpr const char* kSrtm1OnlyLine = "This menu selection is for interpolating SRTM-1 files only!";
} // namespace coarsepatch

/// The lattice expansion: rows and columns 0, 10, 20, ... below rows x columns
/// (and within the coarse grid) take coarse[i/10][j/10] when it is above
/// nullDataDefinition; every other posting is 0.0.
RealGrid expandCoarseGrid(const IntGrid& coarse, int rows, int columns, std::int32_t nullDataDefinition);

/// "Expand DTED0 DEM": expandedGrid := the DTED0 grid spread over the window's
/// 1201 x 1201 lattice; the DTED0 grid is released; fromGraphicsWindow := 1,
/// inputKind := GraphicsGridInput, the session size := the window's. False when
/// no DTED0 grid is held or (after a log line) when the window's size is not
/// the DTED0 lattice's.
bool expandDted0(GraphicsModel& graphics, GridHandover& session, Reporter& reporter);

/// Where the SRTM-3 tile lies in the SRTM30 tile (the logged offsets).
struct Srtm30Window {
    int south = 0;          ///< the SRTM30 tile's southern edge, degrees
    int rowZero = 0, rowOffset = 0, columnZero = 0, columnOffset = 0;
};
/// The offsets of the 120 x 120 block that covers the tile with south-west corner
/// (tileLatitude, tileLongitude) in an SRTM30 tile with north-west corner
/// (srtm30latitude, srtm30longitude).
Srtm30Window srtm30WindowFor(double tileLatitude, double tileLongitude, int srtm30latitude, int srtm30longitude);

enum class Srtm30Expansion {
    NotHeld,       ///< no SRTM30 tile: nothing happened
    OutsideTile,   ///< the "Error!" window's case: nothing changed but the log lines
    Expanded,
};
/// "Expand SRTM30 DEM": logs the corners and offsets; cuts the block (returned in
/// block), releases the SRTM30 tile, expandedGrid := the block spread over 1201 x
/// 1201 (row and column 1200 left to interpolate); the session as expandDted0
/// with size 1201 x 1201.
Srtm30Expansion expandSrtm30(GraphicsModel& graphics, GridHandover& session, Reporter& reporter, IntGrid& block);

/// "Insert Expanded DTED0 or SRTM30 into SRTM-3": every null posting of imageArray
/// whose expanded value is positive takes it (truncated) in both arrays and is
/// marked in insertedMask; expandedGrid is released; fromGraphicsWindow := 0,
/// patchGraphicsWindow := 1, inputKind := SessionGridInput, the session size :=
/// the window's. False when nothing is expanded or (after a log line) when the
/// expanded grid's size is not the window's.
bool insertExpanded(GraphicsModel& graphics, GridHandover& session, Reporter& reporter);

/// "Assign Interpolated Elevations": the interpolated surface (flipped north row
/// first, truncated) goes into every null posting of elevationArray, in both
/// arrays; interpolatedGrid is released. False when none is held or (after a log
/// line) when its size is not the window's.
bool assignInterpolated(GraphicsModel& graphics, Reporter& reporter);

/// "Cut Patches from DTED1 File": every null posting of elevationArray takes the
/// DTED1 value at the same posting, in both arrays; the DTED1 grid stays held.
/// False when none is held, when the corners differ by a degree or more, or when
/// the sizes differ (each after its log line).
bool patchFromDted1(GraphicsModel& graphics, Reporter& reporter);

/// The DTED1 grid spread every third posting over 3601 x 3601, -500 elsewhere.
IntGrid expandDted1(const IntGrid& dted1);
/// "Expand DTED1" on an SRTM-1 tile: every null posting of elevationArray whose
/// expanded DTED1 value is at least -499 takes it in both arrays; the DTED1 grid
/// is released. False when none is held or (after its log line) when the window
/// does not hold 3601 x 3601.
bool expandDted1AndPatchSrtm1(GraphicsModel& graphics, Reporter& reporter);

/// "Offset DTED0 DEM" on a held DTED0 grid: offset is added to every posting.
void addDted0Offset(GraphicsModel& graphics, std::int32_t offset);
