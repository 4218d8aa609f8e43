// The plain part of the graphics window's save commands: given the chosen
// path, log it, write the work array and set the saved flag after a
// successful write (never after a cancelled or failed one).
#pragma once

#include <string>

class GraphicsModel;
class Reporter;

/// "Save Elevation Array": elevationArray unchanged with kind word 0, then "File Written".
bool saveGraphicsElevationArray(const std::string& path, GraphicsModel& graphics, Reporter& reporter);
/// "Save Index Array": every posting of elevationArray (unknown ones included), then "File Written".
bool saveGraphicsIndexArray(const std::string& path, GraphicsModel& graphics, Reporter& reporter);
