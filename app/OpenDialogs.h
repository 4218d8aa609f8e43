// Dialogs that the Open command shows for some inputs before or after the
// parameters: "Shape File Scaling Limits" (MAXSPAN, after the parameters dialog
// for a shapefile) and the ER tile's corner, "Australian ERM Data Entry Form"
// (before an "aus_dem_erm" tile is read, by Open and by "Open Australian ER
// Merge DEM"). Each keeps the program's validation pattern and stays open
// until valid values are submitted.
#pragma once

#include "ui/EntryDialog.h"

class GraphicsModel;
class Reporter;
struct SessionState;

/// "Shape File Scaling Limits": "MAXSPAN" (default "1200"); Submit stores MAXSPAN and logs it.
class ShapeFileScalingDialog : public EntryDialog {
    Q_OBJECT
public:
    ShapeFileScalingDialog(SessionState& session, Reporter& reporter, QWidget* parent = nullptr);
};

/// ErCornerDialog, "Australian ERM Data Entry Form": "Lower Left Latitude" and "Lower Left
/// Longitude" (empty at first); Submit stores the corner of the ER tile in the graphics window.
class ErCornerDialog : public EntryDialog {
    Q_OBJECT
public:
    ErCornerDialog(GraphicsModel& graphics, Reporter& reporter, QWidget* parent = nullptr);
};
