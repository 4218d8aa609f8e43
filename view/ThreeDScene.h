// The 3-D view's state and every step of it that is plain arithmetic: the
// first-render set-up (grid size, projection, elevation range, base
// translation), the light direction, the requested smoothing, the resize
// projection and the control panel's changes to the view. The OpenGL drawing
// (view/SceneRenderer) reads this state; the window, the control panel and
// the command-line renderer all change it through these functions.
#pragma once

#include "app/core/Grid.h"
#include "view/Mesh.h"
#include "view/ViewMatrix.h"

#include <cstdint>
#include <optional>
#include <string>

class Reporter;

struct ThreeDState {
    int rows = 100, columns = 100;        ///< grid size the mesh, projection and base translation were set up for
    float solarAzimuth = 45.0f;           ///< light elevation angle, degrees
    float solarBearing = 45.0f;           ///< light horizontal direction, degrees
    float elevationScale = 1.0f;
    Vec3 lightDirection{0.0f, 0.0f, 0.0f};
    double minimumElevation = 0.0, maximumElevation = 0.0;
    bool firstRender = true;
    bool showAxes = true;
    bool smoothPending = false;
    float clientWidth = 0.0f, clientHeight = 0.0f;
    int lastWidth = 0, lastHeight = 0;
    ViewMatrix projection;                ///< the projection matrix in force
    ViewMatrix modelView;                 ///< the user's accumulated view (with the base translation)
};

/// The arithmetic part of a render, before any drawing: on the first render, or
/// when the grid's size differs from the one set up, takes the grid's size
/// (logging "Rows is:  " and "Columns is:  "), sets the projection to an
/// orthographic box of +-(rows + columns), takes the elevation range (logged)
/// and applies the base translation (-rows, -columns, 0); a size change starts
/// from a fresh view. Then the light direction; then the smoothing when requested
/// (3 passes on the grid passed: a DisplayGrid copy in the windows). Returns false when there is no grid to draw.
bool prepareRender(ThreeDState& state, RealGrid* grid, Reporter& reporter);

/// The grid the view draws: the solution itself, or after a requested smoothing a smoothed copy
/// of it, kept while the solution stays as it was smoothed from. The solution is never changed:
/// smoothing belongs to the display, and saving writes the solution as Run and the repairs left it.
class DisplayGrid {
public:
    /// The grid for prepareRender: with smoothPending a fresh copy of the solution (which
    /// prepareRender then smooths), otherwise the held copy while the solution is unchanged, or
    /// the solution itself. Nothing without a solution.
    RealGrid* select(RealGrid* solution, bool smoothPending);

private:
    std::uint64_t source_ = 0;   ///< fingerprint of the solution the copy was made from
    std::optional<RealGrid> shown_;
};

/// Resize: records the client size (a height of 0 counts as 1), sets the projection
/// from the size recorded at the previous resize and records the new size.
/// Returns true when the view must be rendered (after the first render).
bool resizeView(ThreeDState& state, int width, int height);

/// The control panel's steps on the view.
enum class Axis { X, Y, Z };
void rotateView(ThreeDState& state, Axis axis, float degrees);
void translateView(ThreeDState& state, Axis axis, float distance);
void scaleView(ThreeDState& state, float factor);

/// "Render Image" and "Stereo Image +" entries, checked in the panel's order.
enum class PanelEntryFailure {
    None,
    EmptyAngles,      ///< "Please enter values for azimuth angle and bearing angle!"
    AzimuthRange,     ///< "Please enter an azimuth angle between 0 and 180 degrees!"
    EmptyScale,       ///< "Please enter a value for the elevation scale factor!"
    StereoRange,      ///< "Please enter a stereo angle between 0 and 360 degrees"
    NotANumber,       ///< "Conversion Error" / "Text box entry must be a number!"
};
inline constexpr const char* kEmptyAnglesText = "Please enter values for azimuth angle and bearing angle!";
inline constexpr const char* kAzimuthRangeText = "Please enter an azimuth angle between 0 and 180 degrees!";
inline constexpr const char* kEmptyScaleText = "Please enter a value for the elevation scale factor!";
inline constexpr const char* kStereoRangeText = "Please enter a stereo angle between 0 and 360 degrees";

/// Checks the "Render Image" entries and applies them in order (azimuth, bearing,
/// scale factor, axes); an entry that is not a number ends the check, keeping the
/// entries applied before it. The caller renders only on None.
PanelEntryFailure applyRenderEntries(ThreeDState& state, const std::string& azimuth, const std::string& bearing,
                                     const std::string& scaleFactor, bool showAxes);

/// Checks the "Stereo Image +" entry; on None, angle holds the stereo angle.
PanelEntryFailure checkStereoEntry(const std::string& text, float& angle);
