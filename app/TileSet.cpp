#include "app/TileSet.h"

#include "app/core/Reporter.h"
#include "formats/FileIo.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

std::optional<TileCell> hgtTileCell(std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (name.size() != 11) return std::nullopt;
    auto upper = [&](std::size_t i) { return char(std::toupper(static_cast<unsigned char>(name[i]))); };
    auto digits = [&](std::size_t from, std::size_t count) -> std::optional<int> {
        int v = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(name[i]))) return std::nullopt;
            v = v * 10 + (name[i] - '0');
        }
        return v;
    };
    const char ns = upper(0), ew = upper(3);
    const auto lat = digits(1, 2), lon = digits(4, 3);
    if ((ns != 'N' && ns != 'S') || (ew != 'E' && ew != 'W') || !lat || !lon || *lat > 90 || *lon > 180 ||
        upper(7) != '.' || upper(8) != 'H' || upper(9) != 'G' || upper(10) != 'T')
        return std::nullopt;
    return TileCell{ns == 'N' ? *lat : -*lat, ew == 'E' ? *lon : -*lon};
}

namespace {

std::optional<std::vector<std::string>> listedPaths(const std::string& folderOrList, Reporter& reporter)
{
    std::vector<std::string> paths;
    std::error_code ec;
    if (fs::is_directory(folderOrList, ec)) {
        for (const fs::directory_entry& e : fs::directory_iterator(folderOrList, ec))
            if (e.is_regular_file(ec) && hgtTileCell(e.path().filename().string())) paths.push_back(e.path().string());
        if (ec) {
            reporter.log("Cannot list the folder " + folderOrList + ".");
            return std::nullopt;
        }
        return paths;
    }
    std::ifstream list(folderOrList);
    if (!list) {
        reporter.log("Cannot read the tile list " + folderOrList + ".");
        return std::nullopt;
    }
    for (std::string line; std::getline(list, line);) {
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
        if (line.empty()) continue;
        if (!hgtTileCell(line)) {
            reporter.log("Not an SRTM tile name (such as N49E011.hgt): " + line);
            return std::nullopt;
        }
        paths.push_back(line);
    }
    return paths;
}

/// n for a file of 2 n^2 bytes (n >= 2); 0 otherwise.
int squareSide(std::uintmax_t bytes)
{
    if (bytes % 2 != 0) return 0;
    const auto n = std::uintmax_t(std::llround(std::sqrt(double(bytes / 2))));
    return n >= 2 && n * n * 2 == bytes && n <= 100000 ? int(n) : 0;
}

} // namespace

std::optional<TileSet> TileSet::find(const std::string& folderOrList, Reporter& reporter)
{
    std::optional<std::vector<std::string>> paths = listedPaths(folderOrList, reporter);
    if (!paths) return std::nullopt;
    if (paths->empty()) {
        reporter.log("No SRTM tiles (such as N49E011.hgt) in " + folderOrList + ".");
        return std::nullopt;
    }
    TileSet set;
    for (const std::string& path : *paths) {
        std::error_code ec;
        const std::uintmax_t bytes = fs::file_size(path, ec);
        const int n = ec ? 0 : squareSide(bytes);
        if (n == 0) {
            reporter.log("Not a square tile of 16-bit postings: " + path);
            return std::nullopt;
        }
        if (set.side_ != 0 && n != set.side_) {
            reporter.log("Tiles of different sizes: " + path + " has " + std::to_string(n) + " postings a side, " +
                         set.tiles_.front().path + " " + std::to_string(set.side_) + ".");
            return std::nullopt;
        }
        set.side_ = n;
        set.tiles_.push_back({path, fs::path(path).filename().string(), *hgtTileCell(path)});
    }
    std::sort(set.tiles_.begin(), set.tiles_.end(),
              [](const SetTile& a, const SetTile& b) { return a.fileName < b.fileName; });
    set.north_ = set.south_ = set.tiles_.front().cell.latitude;
    set.west_ = set.east_ = set.tiles_.front().cell.longitude;
    for (std::size_t i = 0; i < set.tiles_.size(); ++i) {
        const TileCell c = set.tiles_[i].cell;
        if (!set.index_.emplace(c, i).second) {
            reporter.log("Two tiles of one cell: " + set.tiles_[set.index_[c]].path + " and " + set.tiles_[i].path);
            return std::nullopt;
        }
        set.north_ = std::max(set.north_, c.latitude);
        set.south_ = std::min(set.south_, c.latitude);
        set.west_ = std::min(set.west_, c.longitude);
        set.east_ = std::max(set.east_, c.longitude);
    }
    return set;
}

const SetTile* TileSet::at(TileCell cell) const
{
    const auto it = index_.find(cell);
    return it == index_.end() ? nullptr : &tiles_[it->second];
}

std::int64_t TileSet::mosaicRows() const { return std::int64_t(north_ - south_ + 1) * (side_ - 1) + 1; }
std::int64_t TileSet::mosaicColumns() const { return std::int64_t(east_ - west_ + 1) * (side_ - 1) + 1; }

RasterRect TileSet::extent(TileCell cell) const
{
    return {std::int64_t(north_ - cell.latitude) * (side_ - 1), std::int64_t(cell.longitude - west_) * (side_ - 1),
            side_, side_};
}

std::optional<IntGrid> readTileRect(const std::string& path, int side, const RasterRect& rect, Reporter& reporter,
                                    int rowStep)
{
    rowStep = std::max(1, rowStep);
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
    IntGrid out(int((rect.rows + rowStep - 1) / rowStep), int(rect.columns));
    std::vector<std::uint8_t> row(std::size_t(rect.columns) * 2);
    bool ok = file && rect.top >= 0 && rect.left >= 0 && rect.top + rect.rows <= side &&
              rect.left + rect.columns <= side;
    for (std::int64_t r = 0; ok && r < out.rows(); ++r) {
        const long at = long(((rect.top + r * rowStep) * side + rect.left) * 2);
        ok = std::fseek(file.get(), at, SEEK_SET) == 0 && std::fread(row.data(), 1, row.size(), file.get()) == row.size();
        for (std::int64_t c = 0; ok && c < rect.columns; ++c)
            out(int(r), int(c)) = fileio::bigEndianInt16(&row[std::size_t(c) * 2]);
    }
    if (!ok) {
        reporter.log("Cannot read the tile " + path + ".");
        return std::nullopt;
    }
    return out;
}
