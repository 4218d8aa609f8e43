// The void fill of a tile set, tile by tile, seamless across tile borders.
//
// Each tile is filled in a part of the mosaic: the tile and `halo` postings of
// its eight neighbours around it (fewer at the mosaic's edges, where the edge
// rules of the relaxation apply as for a tile alone). The unknown postings
// (those "Input Data" hands over as 0: below the null data definition, or
// negative for LSQR; 255 and sea level 0 as for a single tile) fall into groups
// as in the windowed fill (engine/WindowedFill.h), and every group that touches
// the tile is solved in its window in mosaic coordinates. A group whose window
// (two postings around it, kInexactMargin more with refining sweeps or LSQR)
// lies inside the halo is the same group the neighbour finds, solved in the same
// window on the same postings: the postings two tiles share come out identical
// in both, and without refining sweeps and LSQR equal to a fill of the whole
// mosaic at once, bit for bit. A group whose window reaches the halo's cut edge
// is filled inside the halo and counted as open; a larger halo closes it.
//
// Where two tiles share a posting the mosaic holds the known value of the
// north-western tile (a void of one tile where its neighbour knows the posting
// takes the neighbour's value); a tile's own known postings are written byte
// for byte, its null postings (below the null data definition) take the
// solution truncated toward zero, as Run's write-back does.
#pragma once

#include "app/core/Grid.h"
#include "app/TileSet.h"
#include "engine/WindowedFill.h"

#include <cstdint>
#include <optional>
#include <string>

class Reporter;

inline constexpr int kDefaultHalo = 100;

struct TileFillSettings {
    int halo = kDefaultHalo;                 ///< postings of the neighbours around a tile (at most n - 1)
    std::int32_t nullDataDefinition = -1000;
    WindowedFillOptions solver;              ///< iterations, scale, threads a tile; accept and progress are set per tile
    int shardIndex = 0, shardCount = 1;      ///< this run fills the tiles k with k % shardCount == shardIndex
    int jobs = 1;                            ///< tiles filled at once
};

struct TileFillCounts {
    std::int64_t groups = 0;       ///< void groups that filled null postings of the tile
    std::int64_t postings = 0;     ///< null postings of the tile that received a value
    std::int64_t openGroups = 0;   ///< groups that reach the halo's cut edge
};

/// The filled tile (n x n, north row first): nothing after a log line.
std::optional<IntGrid> fillSetTile(const TileSet& set, const SetTile& tile, const TileFillSettings& settings,
                                   TileFillCounts& counts, Reporter& reporter);

/// Fills this shard's tiles into the folder (created when missing), each written
/// through a temporary file renamed when complete (as every writer does; temporary
/// files a killed run left for these tiles are removed); a tile whose output is
/// complete and newer than the tile and its neighbours is skipped. Logs a line a
/// tile. Returns the number of tiles that failed.
int fillTileSet(const TileSet& set, const std::string& outFolder, const TileFillSettings& settings,
                Reporter& reporter);

/// The shaded relief of the set's outputs in the folder, one picture: filled postings
/// tinted red, postings still void black, missing outputs grey. Written as .bmp or
/// .jpg after the path's extension; false after a log line.
bool writeTileSetPreview(const TileSet& set, const std::string& outFolder, const std::string& picturePath,
                         std::int32_t nullDataDefinition, Reporter& reporter);
