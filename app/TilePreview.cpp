// The preview of a filled tile set: a small shaded relief of the whole mosaic.
#include "app/TileFill.h"

#include "app/core/Reporter.h"
#include "formats/Bmp.h"
#include "formats/JpegWriter.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

/// The longest side of the preview, in pixels.
constexpr std::int64_t kPreviewSide = 1600;

enum class Posting : std::uint8_t { Missing, Known, Filled, Void };

std::uint32_t rgb(double r, double g, double b)
{
    auto byte = [](double v) { return std::uint32_t(std::clamp(v, 0.0, 255.0)); };
    return byte(r) << 16 | byte(g) << 8 | byte(b);
}

} // namespace

bool writeTileSetPreview(const TileSet& set, const std::string& outFolder, const std::string& picturePath,
                         std::int32_t nullDataDefinition, Reporter& reporter)
{
    const std::int64_t rows = set.mosaicRows(), columns = set.mosaicColumns();
    const std::int64_t step = std::max<std::int64_t>(1, (std::max(rows, columns) + kPreviewSide - 1) / kPreviewSide);
    const int H = int((rows + step - 1) / step), W = int((columns + step - 1) / step);
    RealGrid height(H, W, 0.0);
    Grid<Posting> kind(H, W, Posting::Missing);
    const int n = set.side();
    for (const SetTile& tile : set.tiles()) {
        const std::string out = (fs::path(outFolder) / tile.fileName).string();
        std::error_code ec;
        if (!fs::exists(out, ec)) continue;
        // Only the rows the picture samples are read: a preview of thousands of tiles stays cheap.
        const RasterRect e = set.extent(tile.cell);
        const int y0 = int((e.top + step - 1) / step);
        const RasterRect sampled{y0 * step - e.top, 0, n - (y0 * step - e.top), n};
        NullReporter quiet;
        const std::optional<IntGrid> filled = readTileRect(out, n, sampled, quiet, int(step));
        const std::optional<IntGrid> input = readTileRect(tile.path, n, sampled, quiet, int(step));
        if (!filled || !input) continue;
        for (int y = y0; y < H && y * step < e.top + n; ++y)
            for (int x = int((e.left + step - 1) / step); x < W && x * step < e.left + n; ++x) {
                const int r = y - y0, c = int(x * step - e.left);
                const std::int32_t v = (*filled)(r, c);
                const bool isVoid = v < nullDataDefinition;
                height(y, x) = isVoid ? 0.0 : v;
                kind(y, x) = isVoid ? Posting::Void
                                    : (*input)(r, c) < nullDataDefinition ? Posting::Filled : Posting::Known;
            }
    }

    // Light from the north-west, 45 degrees up; one degree of latitude is about 111 km.
    const double spacing = 111320.0 / (n - 1) * double(step);
    const double lx = -0.5, ly = 0.5, lz = std::sqrt(0.5);
    Grid<std::uint32_t> picture(H, W);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const double east = (height(y, std::min(x + 1, W - 1)) - height(y, std::max(x - 1, 0))) / (2 * spacing);
            const double north = (height(std::max(y - 1, 0), x) - height(std::min(y + 1, H - 1), x)) / (2 * spacing);
            const double nx = -4 * east, ny = -4 * north;   // relief exaggerated four times
            const double shade = (nx * lx + ny * ly + lz) / std::sqrt(nx * nx + ny * ny + 1);
            const double g = 150 + 320 * (shade - lz);      // flat ground mid-grey
            switch (kind(y, x)) {
            case Posting::Missing: picture(y, x) = rgb(70, 90, 120); break;
            case Posting::Known: picture(y, x) = rgb(g, g, g); break;
            case Posting::Filled: picture(y, x) = rgb(90 + 0.65 * g, 0.35 * g, 0.3 * g); break;
            case Posting::Void: picture(y, x) = 0; break;
            }
        }
    std::string extension = fs::path(picturePath).extension().string();
    for (char& ch : extension) ch = char(std::tolower(static_cast<unsigned char>(ch)));
    const bool bitmap = extension == ".bmp";
    if (bitmap) return writeColourBmp(picturePath, picture, reporter);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(picture.size() * 3);
    for (std::uint32_t p : picture.cells())
        for (int shift : {16, 8, 0}) bytes.push_back(std::uint8_t(p >> shift));
    return writeJpeg(picturePath, bytes.data(), W, H, reporter);
}
