// Elevation-array files (".elv"), in which the program saves grids and loads
// them again for editing, and the index-array listing ("Save Index Array").
//
// Elevation array, text: line 1 holds rows, columns and the kind word, each an
// integer right-aligned in 10 characters; then one line per grid row (north
// row first), every value right-aligned in 10 characters with no other
// separator; LF line ends. Kind word 1 marks a grid of elevations (the main
// window's solution), 0 the graphics window's work array (255 = unknown).
// The reader takes the numbers as integers one after another, so narrower
// fields and values wider than their field (a sign then starts the next
// number) read back correctly.
//
// Index array: one line per posting, rows outer and columns inner: the row
// number, the column number right-aligned in 5 characters, the value
// right-aligned in 8 characters, LF.
#pragma once

#include "app/core/Grid.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class Reporter;

struct ElevationArrayFile {
    IntGrid grid;
    std::int32_t kindWord = 0;
};

/// Kind words.
inline constexpr std::int32_t kElevationGridKind = 1;
inline constexpr std::int32_t kWorkArrayKind = 0;

inline constexpr const char* kElevationFileFailedLine = "Failed to open elevation file.";
inline constexpr const char* kFileWrittenLine = "File Written";

/// Reads an elevation array (the input opener's lines). A file that cannot be opened, announces
/// fewer than 1 row or column, or holds fewer values than it announces logs
/// "Failed to open elevation file." and gives nothing.
std::optional<ElevationArrayFile> readElevationArray(const std::string& path, Reporter& reporter);
/// The text part of the reader; nothing for a malformed text (no log line).
std::optional<ElevationArrayFile> parseElevationArray(std::string_view text);

std::string formatElevationArray(const IntGrid& grid, std::int32_t kindWord);
/// Writes the file; "could not open output file" and false on failure (nothing else is logged).
bool writeElevationArray(const std::string& path, const IntGrid& grid, std::int32_t kindWord, Reporter& reporter);

std::string formatIndexArray(const IntGrid& grid);
bool writeIndexArray(const std::string& path, const IntGrid& grid, Reporter& reporter);
