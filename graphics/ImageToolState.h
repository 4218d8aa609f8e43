// The option values and working state of the scanned-map tools that the
// graphics window keeps between commands: what the filter dialogs last
// submitted, the pixel-query history, the line-cleaning settings, the
// digitiser's points and the colours of the digitiser and elevation drawing.
// Everything returns to these initial values when the window is closed.
#pragma once

#include "graphics/ColourFilters.h"
#include "graphics/Digitiser.h"
#include "graphics/LineCleaning.h"

#include <cstdint>

struct ImageToolState {
    bool valueToggle = false;              ///< "Value Toggle" of "Filter Data Entry"
    RangeFilter rangeFilter;               ///< limits and "Keep/Discard Toggle" of the range filter
    ByteScreen byteScreen;                 ///< "Red Green Blue Byte Filter Data Entry"
    PixelQueryHistory queryHistory;        ///< the 16 last queried colours and the last one
    float stretchFactor = 1.0f;            ///< "Scale Factor Dialog Box" ("Stretch Arrays" > "Offset")
    double unsharpMultiplier = 0.70;       ///< "Sharp Multiplier"
    int neighbourCount = 4;                ///< "Number Neighbors"
    int searchRadius = 3;                  ///< "Search Radius" of "Connect Lines"
    SearchOrder searchOrder = SearchOrder::ClosestFirst;
    int pixelLimit = 100;                  ///< "Pixel Limit" of "Delete Short Segments"
    Digitiser digitiser;
    std::int32_t markerColour = 0;         ///< screen colour of the digitiser's crosses (black)
    std::int32_t drawElevationValue = 0;   ///< the elevation of "Elevation Dialog"
    std::int32_t savedPenColour = 0;       ///< the pen colour before elevation drawing, restored by "Disabled"
};
