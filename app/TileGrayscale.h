// The graphics window's "Grayscale" shown in the "SRTM Grayscale Image Form".
#pragma once

class GraphicsModel;
class GrayscaleWindow;
class Reporter;

/// The graphics window's "Grayscale" for a tile: builds the grey picture of its
/// imageArray, keeps the grey map in the model for the readout, shows the window.
void showTileGrayscale(GraphicsModel& model, GrayscaleWindow& window, Reporter& reporter);
