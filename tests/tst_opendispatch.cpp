// The Open command's dispatch table, the output-format table, the picture loader, and every grid
// writer against its reader.
#include "app/OpenDispatch.h"
#include "app/core/GridOps.h"
#include "formats/Bmp.h"
#include "formats/Dted.h"
#include "formats/ElevationArray.h"
#include "formats/GdalRaster.h"
#include "formats/IndexFile.h"
#include "graphics/PictureFile.h"
#include "formats/SrtmHgt.h"
#include "formats/TextGrid.h"
#include "formats/UsgsDemReader.h"
#include "formats/UsgsDemWriter.h"
#include "DtedFiles.h"
#include "graphics/GraphicsModel.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <cstring>
#include <functional>
#include <random>
#include <gtest/gtest.h>

TEST(OpenDispatch, RowsMatchInTheirOrderExactlyAndCaseSensitively)
{
    using K = InputKind;
    const K G = K::SessionGridInput;
    const std::tuple<const char*, int, InputKind> cases[] = {   // row 0: none
        {"a.dat", 1, K::TextGridInput}, {"a.txt", 1, K::TextGridInput}, {"a.CSV", 2, K::CsvInput},
        {"a.las", 3, K::LasInput}, {"a.shp", 4, K::ShapefileInput}, {"a.BMP", 5, G}, {"a.jpg", 5, G}, {"a.elv", 6, G},
        {"N45W123.hgt", 7, G}, {"a.hdf", 8, G}, {"a.ind", 9, G}, {"a.ORT", 9, G}, {"a.DEM", 10, G}, {"a.dt1", 11, G},
        {"/x/my_aus_dem_erm", 12, G}, {"a.IMA", 13, G},
        // Spellings the table does not list.
        {"N45W123.HGT", 0, G}, {"a.TXT", 0, G}, {"a.dt0", 0, G}, {"AUS_DEM_ERM", 0, G}, {"archive.txt.gz", 0, G},
        {"aus_dem_er", 0, G}
    };
    for (const auto& [path, number, kind] : cases) {
        const OpenRow* row = openRowForPath(path);
        EXPECT_EQ(row ? std::pair(row->number, row->kind) : std::pair(0, G), std::pair(number, kind)) << path;
    }
    EXPECT_EQ(std::vector<std::string>(
                  {extensionOf("/maps/site.v2/tile"), extensionOf("/x/a.tar.gz"), nameTailOf("aus_dem_er")}),
              (std::vector<std::string>{"", ".gz", ""}));   // the file name's own last dot; a tail of eleven characters
    for (const OpenRow& row : openDispatchTable())   // grid loads empty the stored extension, LISA keeps it
        EXPECT_EQ(row.clearsExtension, row.number >= 5 && row.number <= 11) << row.number;
    // The name tail decides row 12 whatever the extension; an earlier row still wins.
    EXPECT_EQ(matchOpenRow(".txt", "aus_dem_erm")->number, 1);
    EXPECT_EQ(matchOpenRow("", "aus_dem_erm")->number, 12);
}

TEST(PictureLoader, ReadsBitmapsAndJpegsAsColours)
{
    NullReporter quiet;
    auto bmp = readPictureFile(testData("contour_crop.bmp"), ".bmp", quiet);
    ASSERT_TRUE(bmp);
    // 165 165 165 at the top left, 159 159 159 at the bottom right.
    EXPECT_EQ(std::tuple(bmp->rows(), bmp->cols(), cellsAt(*bmp, {{0, 0}, {89, 119}, {45, 60}})),
              std::tuple(90, 120, std::vector<std::int32_t>{0xA5A5A5, 0x9F9F9F, 0xA6A6A6}));

    // Any extension other than ".bmp"/".BMP" is decoded as JPEG: 164 165 167; 177 165 169.
    auto jpg = readPictureFile(testData("contour_crop.jpg"), ".anything", quiet);
    ASSERT_TRUE(jpg);
    EXPECT_EQ(std::tuple(jpg->rows(), jpg->cols(), cellsAt(*jpg, {{0, 0}, {45, 60}})),
              std::tuple(90, 120, std::vector<std::int32_t>{0xA4A5A7, 0xB1A5A9}));
    // A bitmap read as JPEG, a JPEG read as bitmap and a missing file all fail.
    EXPECT_FALSE(readPictureFile(testData("contour_crop.bmp"), ".jpg", quiet) ||
                 readPictureFile(testData("contour_crop.jpg"), ".BMP", quiet) ||
                 readPictureFile("/nonexistent.bmp", ".bmp", quiet));
}

TEST(PictureLoader, CutShortBitmapSaysHowManyRowsWereReadAndOversizedPicturesAreRefused)
{
    const std::vector<std::uint8_t> whole = readBytes(testData("contour_crop.bmp"));   // 120 x 90, bottom-up
    NullReporter quiet;
    const auto full = decodeBitmap(whole, quiet);
    ASSERT_TRUE(full);
    const std::size_t stride = 360, data = 54;
    // The rows a cut file holds: the bottom of the picture, or its top when stored top-down (negative height).
    std::vector<std::uint8_t> topDown(whole.begin(), whole.begin() + data);
    const std::int32_t negative = -90;
    std::memcpy(&topDown[22], &negative, 4);
    for (int line = 89; line >= 0; --line)
        topDown.insert(topDown.end(), whole.begin() + data + line * stride, whole.begin() + data + (line + 1) * stride);
    for (auto [file, bytes, rowsRead, top] : {std::tuple{&whole, data + 30 * stride + 100, 30, false},
                                              {&whole, data + 89 * stride + 359, 89, false},
                                              {&whole, data + 10, 0, false},
                                              {&topDown, data + 25 * stride, 25, true}}) {
        RecordingReporter rec;
        const auto cut = decodeBitmap(std::span(*file).first(bytes), rec);
        EXPECT_EQ(std::tuple(bool(cut), rec.takeIncompleteInput(), rec.lines),
                  std::tuple(rowsRead > 0, true, std::vector<std::string>{"The picture is cut short: " +
                                                    std::to_string(rowsRead) + " of its 90 rows were read."}));
        if (!cut) continue;
        ASSERT_EQ(cut->rows(), rowsRead);
        EXPECT_TRUE(std::equal(cut->data(), cut->data() + cut->size(), full->data() + (top ? 0 : 90 - rowsRead) * 120));
    }
    // Whether w x h fits a file of so many bytes (the second row: 5 kB announcing 8192 x 8192).
    for (auto [w, h, bytes, fits] : {std::tuple{120, 90, 3000, true}, {8192, 8192, 5000, false},
                                     {8192, 8192, 70000, true}, {8193, 8192, 1 << 30, false}, {0, 10, 100, false}})
        EXPECT_EQ(pictureSizeFits(w, h, bytes, kMaxPicturePixels), fits) << w << " x " << h;
    // A JPEG whose frame header announces 8192 x 8192 is refused before it is decoded.
    std::vector<std::uint8_t> jpeg = readBytes(testData("contour_crop.jpg"));
    for (std::size_t i = 0; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            jpeg[i + 5] = 0x20, jpeg[i + 6] = 0x00, jpeg[i + 7] = 0x20, jpeg[i + 8] = 0x00;
            break;
        }
    EXPECT_FALSE(decodeJpeg(jpeg));
}

namespace {

IntGrid flipped(IntGrid g)
{
    g.flipRows();
    return g;
}

} // namespace

// Random grids (seeded) through each writer and back through its reader: the same postings in the
// same places, whatever the size and the values the format holds (elevation arrays: ten-character
// fields; DTED: below -16000 signed magnitude reads as two's complement).
TEST(RoundTrips, EveryGridWriterAgainstItsReader)
{
    using Back = std::function<std::optional<IntGrid>(const IntGrid&)>;   // north row first, both ways
    TempDir dir;
    NullReporter quiet;
    std::vector<std::uint8_t> dtedHeader;
    if (auto t = decodeDted1Tile(dtedFile("1201", 1, 1201, [](int, int) { return 0; }), quiet))
        dtedHeader = t->headerBlock;
    const std::tuple<const char*, std::int32_t, std::int32_t, bool, Back> rows[] = {
        // name, values, square
        {"elevation array", -999999999, 999999999, false,   // ten-character fields
         [](const IntGrid& g) {
             auto f = parseElevationArray(formatElevationArray(g, 1));
             return f ? std::optional(f->grid) : std::nullopt;
         }},
        {"index array", -999999, 9999999, false,
         [&](const IntGrid& g) { return parseIndexFile(formatIndexArray(g), quiet); }},
        {"ASCII matrix", -99999, 999999, false,
         [](const IntGrid& g) {
             const RealGrid s = gridops::toRealGrid(flipped(g));
             return std::optional(
                 flipped(gridops::truncToIntGrid(parseTextGrid(formatAsciiMatrix(s), s.rows(), s.cols()).grid)));
         }},
        {"USGS DEM", -32767, 32767, false,
         [&](const IntGrid& g) {
             const std::string t =
                 formatUsgsAsciiDem({"NAD-83", 500000, 4000000, 5, 30, 2, 2, 1.0f}, gridops::toRealGrid(flipped(g)));
             return parseUsgsDem(std::span(reinterpret_cast<const std::uint8_t*>(t.data()), t.size()), quiet);
         }},
        {"SRTM", -32768, 32767, true, [&](const IntGrid& g) { return decodeSrtmTile(encodeSrtmTile(g), quiet); }},
        {"DTED1", -16000, 32767, false,
         [&](const IntGrid& g) -> std::optional<IntGrid> {
             auto t = decodeDted1Tile(encodeDted1(gridops::toRealGrid(flipped(g)), dtedHeader), quiet);
             if (!t) return std::nullopt;
             IntGrid part(g.rows(), g.cols());
             for (int r = 0; r < g.rows(); ++r)
                 for (int c = 0; c < g.cols(); ++c) part(r, c) = t->tile(1201 - g.rows() + r, c);
             return part;
         }},
        {"colour bitmap", 0, 0xFFFFFF, false,
         [&](const IntGrid& g) {
             Grid<std::uint32_t> p(g.rows(), g.cols());
             for (std::size_t k = 0; k < g.size(); ++k) p.data()[k] = std::uint32_t(g.data()[k]);
             return decodeBitmap(encodeColourBmp(p), quiet);
         }},
        {"GeoTIFF", -2147483647, 2147483647, false,
         [&](const IntGrid& g) -> std::optional<IntGrid> {
             RasterDescription d;
             d.type = SampleType::Int32;
             if (!gdalraster::writeGeoTiff(dir.file("r.tif"), gridops::toRealGrid(g), d, {}, quiet))
                 return std::nullopt;
             auto r = gdalraster::readRaster(dir.file("r.tif"), quiet);
             return r ? std::optional(gridops::truncToIntGrid(r->values)) : std::nullopt;
         }},
    };
    std::mt19937 gen(1357);
    for (const auto& [name, low, high, square, back] : rows)
        for (int trial = 0; trial < 4; ++trial) {
            std::uniform_int_distribution<int> side(2, 40);
            std::uniform_int_distribution<std::int32_t> value(low, high);
            const int rowsOf = side(gen), cols = square ? rowsOf : side(gen);
            IntGrid g(rowsOf, cols);
            for (std::int32_t& v : g.cells()) v = value(gen);
            g(0, 0) = low, g(rowsOf - 1, cols - 1) = high;
            ASSERT_EQ(back(g), std::optional(g)) << name;
        }
}
