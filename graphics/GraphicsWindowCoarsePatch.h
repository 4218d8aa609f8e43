// The graphics window's coarse-tile repair commands under "DEM Interpolation":
// expand, insert and assign ("Interpolate Using DTED0 or SRTM30 Data"), the
// DTED1 patches and "Resample DEM", with the windows that show their grids.
#pragma once

class ColourImageWindow;
class ErrorWindow;
class GraphicsWindow;
class Reporter;
class ResampleDialog;
struct GridHandover;

/// The windows the commands show (created in their place by the window registry).
struct CoarsePatchWindows {
    ColourImageWindow* dted0BaseFile = nullptr;           ///< "DTED0 Base File"
    ColourImageWindow* interpolatedReference = nullptr;   ///< "Interpolated Reference Image"
    ColourImageWindow* srtm30Image = nullptr;             ///< "SRTM30Image"
    ColourImageWindow* dted1MergeImage = nullptr;         ///< "DTED1 Merge Image"
    ErrorWindow* outsideSrtm30 = nullptr;                 ///< "Error!": the tile lies outside the SRTM30 tile
    ResampleDialog* resample = nullptr;                   ///< "Resample Parameters"
};

/// Connects and enables the commands; called once after the window is created.
void wireCoarsePatchCommands(GraphicsWindow& graphics, GridHandover& session, Reporter& reporter,
                             const CoarsePatchWindows& windows);
