// Saving a snapshot of the 3-D view as JPEG, with the command's log lines.
#pragma once

#include <cstdint>
#include <string>

class Reporter;

/// Encodes rgb (width x height, 3 bytes a pixel, top line first) with the codec's
/// defaults and writes it; logs " " and "Saved " + path, or "could not open output
/// file" when it cannot be written.
bool saveSnapshotJpeg(const std::string& path, const std::uint8_t* rgb, int width, int height, Reporter& reporter);
