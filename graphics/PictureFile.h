// Pictures: the picture loader of the Open commands (".bmp"/".BMP" through the
// toolkit's bitmap reader, every other extension decoded as JPEG) and "Save
// Graphics Image". Colours are 0xRRGGBB, top line first.
#pragma once

#include "app/core/Grid.h"
#include "formats/JpegReader.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

class GraphicsModel;
class Reporter;

inline constexpr const char* kImageFailedLine = "Failed to open image file.";

/// True for the extensions the bitmap reader takes (".bmp", ".BMP"); any other is JPEG.
bool isBitmapExtension(const std::string& extension);

/// A Windows bitmap (bottom-up or top-down) from the file's bytes as 24-bit colours, through the
/// toolkit's reader; a picture above maxPixels, or announcing far more pixels than its file can
/// hold, is refused before any picture memory is taken. An uncompressed bitmap that its file holds only in part
/// gives the rows the file holds, after the line "The picture is cut short: S of its H rows
/// were read." (Reporter::incompleteInput); nothing when not one row is whole, or on any error.
std::optional<IntGrid> decodeBitmap(std::span<const std::uint8_t> bytes, Reporter& reporter,
                                    std::int64_t maxPixels = kMaxPicturePixels);

/// Reads a picture as 24-bit colours; nothing on any error. Only a cut-short bitmap logs.
std::optional<IntGrid> readPictureFile(const std::string& path, const std::string& extension, Reporter& reporter);
/// The picture loader with the graphics window as destination: load picture, or
/// "Failed to open image file.".
bool loadPictureIntoGraphics(const std::string& path, GraphicsModel& graphics, Reporter& reporter);

/// "Save Graphics Image": the displayed picture as a Windows bitmap; nothing for an empty path.
bool saveGraphicsImage(const std::string& path, GraphicsModel& graphics, Reporter& reporter);
