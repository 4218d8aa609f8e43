// Null data, sea-level clipping and offsets: the DEM repair commands of the
// graphics window on the tile it holds (plain code; the window's dialogs call
// these after validating their entries).
//
// A posting is null when its value is below nullDataDefinition (strictly).
// Every operation that changes the arrays saves the undo copies first and
// refreshes the display afterwards; values become integers by truncation
// toward zero.
#pragma once

#include "graphics/GraphicsClicks.h"

#include <cstdint>
#include <string>

class GraphicsModel;
class Reporter;
struct GridHandover;

/// Values from -200 to 0 are radar noise around sea level: the batch write-back sets them to 0.
inline constexpr std::int32_t kSeaLevelNoiseLow = -200;

/// "Set Null Data Definition": nullDataDefinition := value, logged.
void setNullDataDefinition(GraphicsModel& graphics, std::int32_t value, Reporter& reporter);
/// "Set Sea Level Clipping Parameters": the two limits, each logged.
void setSeaLevelLimits(GraphicsModel& graphics, std::int32_t lower, std::int32_t upper, Reporter& reporter);
/// "Offset DTED0 DEM": dted0Offset := offset, logged, and added to every posting of a held DTED0 grid.
void setDted0Offset(GraphicsModel& graphics, std::int32_t offset, Reporter& reporter);

/// "Fix Sea Level Elevations": every posting v with seaLevelLower <= v <= seaLevelUpper becomes 0 in
/// both arrays.
void fixSeaLevelElevations(GraphicsModel& graphics);
/// "Scale Arrays": scaleFactor := factor, logged; every value of both arrays becomes trunc(v x factor).
void scaleArrays(GraphicsModel& graphics, double factor, Reporter& reporter);
/// "Offset Arrays": arrayOffset := offset, logged; every value of both arrays becomes trunc(v + offset).
void offsetArrays(GraphicsModel& graphics, double offset, Reporter& reporter);

/// "Interpolate Subset Array" after its drag: the block of elevationArray at the rectangle (negative
/// values 0 while a tile is held) becomes the session's input grid with the rectangle's size, and the
/// rectangle is kept for the write-back. false (nothing stored) for a rectangle of zero area or one
/// that leaves the arrays.
bool storeSubsetForInterpolation(GraphicsModel& graphics, const CellRect& rect, GridHandover& session);

/// The log line of a refused write-back.
std::string writeBackRefusedLine(int solutionRows, int solutionColumns, int gridRows, int gridColumns);
