// The dialogs of the graphics window's DEM repair commands: "Set Null Data
// Definition", "Set Sea Level Clipping Parameters", "Offset DTED0 DEM" and
// "Array Operations" > "Scale Arrays" and "Offset Arrays".
#pragma once

class EntryDialog;
class GraphicsWindow;
class Reporter;

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
