// Contour line tagging: one click gives a whole contour line its elevation.
//
// lineTagger floods the 8-connected set of line pixels (any value but 255)
// around a seed cell with the explicit-stack flood and writes the elevation
// into every cell reached; the seed itself is tagged even when it is
// background. tagAt turns a click into a seed: it tries the clicked screen
// pixel and its four neighbours on the displayed picture, rounds the first one
// on a line down to even screen coordinates and tags from the cell under it,
// then steps the current elevation when auto-increment is on. The Elevation
// Control Panel's Submit, Reload Last and Resume are plain functions on the
// tagging state.
//
// Pre: elevationArray holds 255 for background and any other value for a
// line pixel. Post: only the reached cells change.
#pragma once

#include "app/core/Grid.h"
#include "graphics/ScreenCells.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class Reporter;

/// The elevation the next tag writes and how it steps from line to line.
struct TaggingState {
    std::int32_t currentElevation = 0;
    std::int32_t autoIncrementValue = 0;
    bool autoIncrement = false;
    std::int32_t lastSubmitted = 0;   ///< the panel's last submitted elevation, used by "Resume"

    /// The right button's step back: current -= autoIncrementValue (saturating).
    void stepBack();
    /// After a tag with auto-increment on: current += autoIncrementValue (saturating).
    void stepForward();

    /// What the panel's "Previous Elevation:" value shows.
    std::int64_t previousElevation() const { return std::int64_t(currentElevation) - autoIncrementValue; }
};

/// Tags the line through (row, col) of A with elevation and logs
/// "Line tagged elevation:  " elevation. Returns the number of cells tagged
/// (0 when the seed lies outside the array: nothing is logged then).
std::size_t lineTagger(std::int32_t elevation, int row, int col, IntGrid& A, Reporter& reporter);

struct TagOutcome {
    bool tagged = false;
    std::int32_t elevation = 0;   ///< the elevation written; the caller shows it in red at the click
};

/// The click of tagging mode at screen point (x, y) of the displayed picture
/// (0xRRGGBB, zoomFactor times the array). With the right button the current
/// elevation first steps back by autoIncrementValue. saveUndo is called just
/// before the array changes. Logs "  ", then the tagger's line, and
/// "Missed line." when y - 1 < 1.
TagOutcome tagAt(int x, int y, MouseButton button, const Grid<std::uint32_t>& displayed, int zoomFactor,
                 IntGrid& elevationArray, TaggingState& state, const std::function<void()>& saveUndo,
                 Reporter& reporter);

struct ElevationQuery {
    bool onLine = false;        ///< when true the caller writes value in red at the click
    std::int32_t value = 0;
};

/// The click of "Show Elevation": logs "Elevation value is:  " and the value
/// (0 and "  " for background). A click outside the array logs nothing.
ElevationQuery showElevationAt(int x, int y, int zoomFactor, const IntGrid& elevationArray, Reporter& reporter);

// Elevation Control Panel

/// Lines of the panel's error window for an empty or out-of-range elevation.
const std::vector<std::string>& elevationRangeErrorLines();
/// True for -1000 .. 30000.
bool elevationInRange(std::int32_t elevation);

enum class PanelSubmitResult {
    Accepted,
    ElevationRefused,        ///< empty or outside -1000 .. 30000: the error window, nothing taken
    NotAnInteger,            ///< "Conversion Error": "Text box entry must be an integer!"
    IncrementEmpty,          ///< "Please enter a value in each text box." (the elevation was taken)
};

/// Submit: takes the elevation (current and last submitted), then the
/// auto-increment value and flag.
PanelSubmitResult submitElevationPanel(TaggingState& state, std::string_view elevationText, bool autoIncrementChecked,
                                       std::string_view incrementText);
/// "Reload Last": last submitted := current; current steps back by autoIncrementValue.
/// Returns the value the "Elevation Value" box shows.
std::int32_t reloadLast(TaggingState& state);
/// "Resume": current := last submitted. Returns the value the box shows.
std::int32_t resumeElevation(TaggingState& state);
