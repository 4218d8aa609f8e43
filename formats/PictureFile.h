// Pictures: the picture loader of the Open commands (".bmp"/".BMP" through the
// toolkit's bitmap reader, every other extension decoded as JPEG) and "Save
// Graphics Image". Colours are 0xRRGGBB, top line first.
#pragma once

#include "app/Grid.h"

#include <cstdint>
#include <optional>
#include <string>

class GraphicsModel;
class Reporter;

inline constexpr const char* kImageFailedLine = "Failed to open image file.";

/// True for the extensions the bitmap reader takes (".bmp", ".BMP"); any other is JPEG.
bool isBitmapExtension(const std::string& extension);

/// Reads a picture as 24-bit colours; nothing on any error (no log line).
std::optional<IntGrid> readPictureFile(const std::string& path, const std::string& extension);
/// The picture loader with the graphics window as destination: load picture, or
/// "Failed to open image file.".
bool loadPictureIntoGraphics(const std::string& path, GraphicsModel& graphics, Reporter& reporter);

/// "Save Graphics Image": the displayed picture as a Windows bitmap; nothing for an empty path.
bool saveGraphicsImage(const std::string& path, GraphicsModel& graphics, Reporter& reporter);
