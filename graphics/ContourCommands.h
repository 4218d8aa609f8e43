// The line-cleaning, tagging and digitising commands of the graphics window
// as they run on its model: "Connect Lines", "Delete Short Segments", the
// clicks of "Remove Web", tagging, "Show Elevation", the digitiser and
// elevation drawing, and the "Clip Text" drag. Each saves the undo copies
// where the command has undo, calls the plain operation (LineCleaning,
// LineTagger, Digitiser) and leaves the picture the command shows. The window
// adds what only a window has (text on the picture, the timer, the beep, the
// panel's labels); gridmend-cli prepare calls the menu commands in order.
//
// Screen points (x, y) are pixels of the displayed picture; the cell under a
// point is (y, x) divided by zoomFactor. "Line code" means elevationArray
// holds 255 for background and line pixels otherwise (after "Binarize" or a
// load of elevations).
#pragma once

#include "graphics/GraphicsModel.h"
#include "graphics/LineCleaning.h"
#include "graphics/LineTagger.h"

#include <cstddef>
#include <cstdint>

class Reporter;

namespace contourcmd {

/// "Connect Lines" with the model's search radius and order; shown grey. Returns the joins.
int connectLines(GraphicsModel& g, Reporter& reporter);
/// "Delete Short Segments" with the model's pixel limit; shown grey. Returns the pixels deleted.
std::size_t deleteShortSegments(GraphicsModel& g, Reporter& reporter);
/// The "Remove Web" click; the display is refreshed either way. True when the picture changed.
bool removeWebAt(GraphicsModel& g, int x, int y, Reporter& reporter);
/// "Remove Web" applied to the work array as well (the command line's saved result): the click,
/// then every pixel it whitened blanked in elevationArray as Clip Text blanks it.
bool removeWebFromWork(GraphicsModel& g, int x, int y, bool lineCode, Reporter& reporter);
/// "Clip Text" over a dragged rectangle of cells (never of zero area); rendered from
/// elevationArray in elevationMode, otherwise refreshed.
void clipText(GraphicsModel& g, const CellRect& rect, bool lineCode);

/// The tagging click (the window writes the elevation on the picture when tagged).
TagOutcome tagAt(GraphicsModel& g, int x, int y, MouseButton button, Reporter& reporter);
/// The "Show Elevation" click; inside is set when the point lies on the picture (the window beeps then).
struct ElevationClick {
    bool inside = false;
    ElevationQuery query;
};
ElevationClick showElevationAt(const GraphicsModel& g, int x, int y, Reporter& reporter);

/// The digitiser click: appends the point and draws its cross in the marker colour.
/// False (nothing done) when the list already holds its 100 points.
bool digitiseAt(GraphicsModel& g, int x, int y);
/// The digitiser's double click: undo copies, closing rule, the polyline into the arrays.
void drawDigitisedLine(GraphicsModel& g, bool lineCode);
/// "DigitizeContour" > "Disabled": the digitiser is off and its list emptied.
void disableDigitiser(GraphicsModel& g);

/// Submit of "Elevation Dialog": the pen colour becomes the elevation (red and blue exchanged).
void setDrawElevation(GraphicsModel& g, std::int32_t elevation, Reporter& reporter);
/// "Draw Elevation" > "Enabled" / "Disabled" (which restores the pen colour saved by the dialog).
void enableDrawElevation(GraphicsModel& g, bool enabled);
/// The release while elevation drawing is on: the display pixel takes the pen colour.
void drawElevationAt(GraphicsModel& g, int x, int y);

} // namespace contourcmd
