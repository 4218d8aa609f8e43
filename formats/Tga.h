// TGA height images (".tga"): an 18-byte header (uncompressed true colour,
// 24 bits, bottom-left origin) and one 3-byte pixel per posting, solution row
// 0 (south) first, so the picture is north-up. The POV-Ray kind scales the
// heights to 0..65535 and stores them in blue (low byte) and green (high
// byte); the grayscale kind scales to 0..255 and writes the grey byte three
// times.
#pragma once

#include "app/core/Grid.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class Reporter;

enum class TgaKind { PovRay, Grayscale };

inline constexpr const char* kTgaOpenFailedLine = "Failed to open output file.";

/// The file's bytes for a truncated solution (south row first), with the scaling's
/// log lines; nothing (after a log line) when the size does not fit 16 bits.
std::optional<std::vector<std::uint8_t>> encodeTga(const IntGrid& heights, TgaKind kind, Reporter& reporter);

/// "Save POV-Ray TGA" / "Save Grayscale TGA" after the dialog: writes the file, then
/// logs the scaling, "  " and "File saved."; a file that cannot be created logs only
/// "Failed to open output file.". False when nothing was written.
bool saveTga(const std::string& path, const RealGrid& solution, TgaKind kind, Reporter& reporter);
