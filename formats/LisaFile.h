// LISA files (".ima", ".IMA"): inspected, not loaded. The length of the file
// and its first byte are written to the diagnostics log.
#pragma once

#include <cstdint>
#include <span>
#include <string>

class Reporter;

inline constexpr const char* kLisaFailedLine = "Failed to open IMA file.";

/// Logs the input opener's lines, "File size is " L " bytes." and "accumulator5 is " followed by
/// the first byte as a character. A file that cannot be opened or is empty logs
/// "Failed to open IMA file.". Returns true when the file was inspected.
bool inspectLisaFile(const std::string& path, Reporter& reporter);
/// The lines after the opener's, for bytes already read.
bool inspectLisaBytes(std::span<const std::uint8_t> bytes, Reporter& reporter);
