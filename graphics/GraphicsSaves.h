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
/// "Save GeoTIFF": elevationArray with the tile's type, nodata and georeference (Float32 and
/// none for content that came from no georeferenced file); a tile's null postings (below the null
/// data definition) are written as nodata. Then "File Written".
bool saveGraphicsGeoTiff(const std::string& path, GraphicsModel& graphics, Reporter& reporter);
/// "Save SRTM Heightfield" without its dialog: elevationArray padded with 0 to 1201 x 1201 or
/// 3601 x 3601 (larger: its log line, nothing written), the path logged, the file written.
bool saveGraphicsSrtmHeightfield(const std::string& path, GraphicsModel& graphics, Reporter& reporter);
