// The "Image Processing" commands of the graphics window as they run on its
// model: the undo copies first where the command has undo, the operation of
// ColourFilters / Thinning / PatternFilters on the arrays, and the picture the
// command leaves on the display. The window calls them once its dialogs have
// set the values; gridmend-cli prepare calls them in the order given, so the
// two run the same code.
//
// Pre: the model holds content (an empty model leaves every command without
// effect). Post: only the arrays the command names change; the display shows
// what the command shows (refresh() = imageArray in colour unless stated).
#pragma once

#include "graphics/GraphicsModel.h"
#include "graphics/PatternFilters.h"

#include <cstdint>
#include <optional>

class Reporter;

namespace imagecmd {

/// "Filter" > "Values": the model's 16 filter values, replacement colour and "Value Toggle".
void valueFilter(GraphicsModel& g);
/// "Filter" > "Range" on imageArray with the model's limits and toggle; the replacement
/// colour (the dialog's "Background Color") replaces the pixels.
void rangeFilter(GraphicsModel& g);
/// "Filter" > "Range" with "Filter Reference Image": the same filter on the reference picture (no undo).
void rangeFilterReference(const GraphicsModel& g, IntGrid& reference);
/// "Red Green Blue Byte Filter" with the model's screening bytes.
void byteScreen(GraphicsModel& g);
/// "Low Pass Filter".
void lowPass(GraphicsModel& g);
/// "Unsharp Mask" with multiplier k; false (nothing changed) outside 0 .. 1.
bool unsharpMask(GraphicsModel& g, double k);
/// "Binarize": elevationArray := 255 where imageArray >= background, 0 elsewhere; shown grey.
/// The window then enables the line-code commands.
void binarize(GraphicsModel& g, std::int32_t background);
/// "Negative Image": shown from elevationArray as an 8-bit picture.
void negativeImage(GraphicsModel& g);
/// "Grayscale" of a picture: shown as grey levels.
void grayscalePicture(GraphicsModel& g);
/// "Subtract Arrays" / "NAND Arrays": false (nothing changed) when the reference's size differs.
bool subtractArrays(GraphicsModel& g, const IntGrid& reference);
bool nandArrays(GraphicsModel& g, const IntGrid& reference);
/// "Stretch Arrays" > "Contrast" (no undo); a picture of one value stays as it is.
void contrastStretch(GraphicsModel& g);
/// "Stretch Arrays" > "Offset": every value times the stretch factor (a 32-bit float).
void stretchOffset(GraphicsModel& g, float factor);

/// "Thin": one Zhang-Suen iteration on the displayed picture, read back into both arrays.
/// Refused (false, nothing changed) unless zoomFactor is 1; otherwise true when a pixel was deleted.
bool thin(GraphicsModel& g);
/// "Despeckle 8 Bit" on elevationArray, shown as the line code.
void despeckle8Bit(GraphicsModel& g);
/// "Despeckle 24 Bit" with the last queried colour.
void despeckle24Bit(GraphicsModel& g);
void blockPattern(GraphicsModel& g);
void linePattern(GraphicsModel& g);
void nibblePattern(GraphicsModel& g);
/// "Neighbor Pattern" with "Number Neighbors" = count (1 .. 8, checked by the dialog).
void neighborPattern(GraphicsModel& g, int count);
/// The edge detectors (no undo).
void sobel(GraphicsModel& g, SobelMode mode);
void laplacian(GraphicsModel& g);

/// elevationArray shown as the line code: grey (255 white, 0 black), or with the
/// elevation colours in elevationMode.
void showLineCode(GraphicsModel& g);

// Clicks of "Query Pixel Value" and "LineScan Value", (x, y) in screen pixels.

/// The pixel query: logs the colour of imageArray under the point, records it in the
/// history and makes it the replacement colour. Nothing outside the picture.
std::optional<std::int32_t> queryPixelAt(GraphicsModel& g, int x, int y, Reporter& reporter);
/// The line-scan query: the displayed colour under the point (only at zoomFactor 1).
bool lineScanAt(const GraphicsModel& g, int x, int y, Reporter& reporter);

} // namespace imagecmd
