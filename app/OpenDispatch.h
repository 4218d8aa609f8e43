// The one place a file becomes the session's grid: each row of the Open table
// (formats/OpenTable.h) with the loader that reads its file into the graphics
// window's model, the raster row for any other file GDAL opens, and the guard
// the windows run every loader in: a loader that fails in any way (an exhausted
// allocation, any exception) ends the load with one line in the log and leaves
// the program running. gridmend-cli runs the loaders unguarded and ends the
// command with the failure's message and exit status 1.
#pragma once

#include "formats/OpenTable.h"

#include <functional>
#include <string>
#include <string_view>

class GraphicsModel;
class Reporter;

/// Reads a file into the graphics window's model; true when content was loaded.
using GridLoader = std::function<bool(const std::string& path, GraphicsModel& graphics, Reporter& reporter)>;

/// The loader of an IntoGraphics row (the raster row included); empty for the other rows.
GridLoader loaderOf(const OpenRow& row);
/// The row of a path, from its extension and name tail; when no row of the table takes it and
/// GDAL opens it as a single-band raster, the raster row.
const OpenRow* openRowForPath(std::string_view path);
/// The table's row of the extension and name tail, or else the raster row when GDAL opens the path.
const OpenRow* matchOpenRowOrRaster(std::string_view extension, std::string_view nameTail, std::string_view path);

/// The line logged when a row's loader fails in a way it does not report itself: the row's own
/// failure line where its reader has one ("Failed to open SRTM file."), else one naming the file.
std::string loadFailedLine(const OpenRow& row, const std::string& path);
/// Runs a loader inside the guard: whatever it throws, the progress bar is hidden, the row's
/// failure line is logged once and false is returned.
bool guardedLoad(const GridLoader& load, const OpenRow& row, const std::string& path, GraphicsModel& graphics,
                 Reporter& reporter);
