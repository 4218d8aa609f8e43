// ASCII z-value grids (".txt", ".dat") and the "Save ASCII " matrix.
//
// A z-value grid is rows x columns decimal numbers separated by any white
// space, row after row; the size is not in the file. Values are read in file
// order into row 0, 1, 2, ... (no flip); 0 marks an unknown posting.
#pragma once

#include "app/core/Grid.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

class Reporter;

struct TextGridRead {
    RealGrid grid;               ///< rows x columns; postings not read hold 0.0
    std::size_t valuesRead = 0;  ///< numbers read before the end of the file or the first non-number
};

/// Reads rows x columns numbers; logs the input opener's lines. Nothing when the file cannot be opened.
std::optional<TextGridRead> readTextGrid(const std::string& path, int rows, int columns, Reporter& reporter);
/// The same from text already in memory (no log lines).
TextGridRead parseTextGrid(std::string_view text, int rows, int columns);

/// The line that refuses a grid holding fewer numbers than rows x columns; empty when it is whole.
std::string shortTextGridLine(const TextGridRead& read);

/// The "Save ASCII " matrix: one line per grid row starting with row 0, each value in
/// fixed-point notation with 4 decimals right-aligned in 10 characters, no separator; a
/// value of 10 characters or more has one blank before it.
std::string formatAsciiMatrix(const RealGrid& grid);
/// Writes the matrix; logs "could not open output file" and returns false on failure.
bool writeAsciiMatrix(const std::string& path, const RealGrid& grid, Reporter& reporter);
