// A set of SRTM height tiles that together cover a region: tiles found by their
// names (the south-west corner, "N49E011.hgt"), all of one size n x n (2 n^2
// bytes), laid out in one mosaic of postings.
//
// Neighbouring tiles share their border postings: a tile's north row is the
// south row of the tile above it, its east column the west column of the tile
// to its right. So the mosaic is (cells north to south) * (n - 1) + 1 rows by
// (cells west to east) * (n - 1) + 1 columns, north row first, and a tile's
// postings start at row (north cell - its cell) * (n - 1). Cells of the
// mosaic's rectangle that have no tile hold sea level (0), as SRTM leaves out
// tiles that are all sea.
#pragma once

#include "app/core/Grid.h"
#include "engine/WindowedFill.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Reporter;

/// A one-degree cell by its south-west corner.
struct TileCell {
    int latitude = 0, longitude = 0;
    friend auto operator<=>(const TileCell&, const TileCell&) = default;
};

/// The cell a height file's name gives ("N49E011.hgt", "s12w077.HGT"; a folder part is
/// ignored); nothing for any other name.
std::optional<TileCell> hgtTileCell(std::string_view path);

struct SetTile {
    std::string path;
    std::string fileName;   ///< the name the output takes
    TileCell cell;
};

class TileSet {
public:
    /// The .hgt tiles of a folder, or of a list file (one path a line, blank lines
    /// skipped), sorted by name. Nothing after a log line: no tiles, a listed name that
    /// is not a tile's, two tiles of one cell, a file that is not 2 n^2 bytes or tiles
    /// of different sizes.
    static std::optional<TileSet> find(const std::string& folderOrList, Reporter& reporter);

    int side() const { return side_; }
    const std::vector<SetTile>& tiles() const { return tiles_; }
    /// The tile of a cell, or null.
    const SetTile* at(TileCell cell) const;

    std::int64_t mosaicRows() const;
    std::int64_t mosaicColumns() const;
    /// A cell's postings in the mosaic (n x n).
    RasterRect extent(TileCell cell) const;

private:
    int side_ = 0;
    int north_ = 0, south_ = 0, west_ = 0, east_ = 0;   // cells
    std::vector<SetTile> tiles_;
    std::map<TileCell, std::size_t> index_;
};

/// A rectangle of a tile's postings (inside the n x n tile), north row first, read
/// from the file without reading the rest; with rowStep > 1 only every rowStep-th row
/// of it from the first. Nothing after a log line.
std::optional<IntGrid> readTileRect(const std::string& path, int side, const RasterRect& rect, Reporter& reporter,
                                    int rowStep = 1);
