// The graphics window's DEM repair commands: "Set Null Data Definition", "Set
// Sea Level Clipping Parameters", "Fix Sea Level Elevations", "Offset DTED0
// DEM", "Interpolate Subset Array", "Array Operations" > "Scale Arrays" and
// "Offset Arrays", and "Save SRTM Heightfield", with their dialogs.
#pragma once

class EntryDialog;
class GraphicsWindow;
class Reporter;
struct GridHandover;

/// The dialogs of the repair commands, created by the window registry in their places.
struct RepairDialogs {
    EntryDialog* scaleFactor = nullptr;   ///< "Scale Factor Data Entry Form"
    EntryDialog* arrayOffset = nullptr;   ///< "Offset Data Entry"
    EntryDialog* dted0Offset = nullptr;   ///< "DTED0 Offset Elevation Dialog Box"
    EntryDialog* seaLevel = nullptr;      ///< "Sea Level Clipping Parameters"
    EntryDialog* nullData = nullptr;      ///< "Null Data Definition Data Entry Form"
};

/// Creates the five dialogs (children of the window), each applying its values to the window's model.
RepairDialogs createRepairDialogs(GraphicsWindow& window, Reporter& reporter);

/// Wires the menu entries and the subset click to their operations.
void wireRepairCommands(GraphicsWindow& window, const RepairDialogs& dialogs, GridHandover& session,
                        Reporter& reporter);

/// "Save SRTM Heightfield": the elevation array padded to 1201 x 1201 or 3601 x 3601 (a larger one is
/// refused with its log line before any dialog), the save dialog, the path logged, the file written.
void SaveSRTMHeightfield1Click(GraphicsWindow& window, Reporter& reporter);
