// gridmend-cli with SRTM and DTED tiles: fill, batch, tiles, patch, and the tile formats in convert.
#include "app/core/Reporter.h"
#include "formats/Dted.h"
#include "formats/SrtmHgt.h"
#include "CliRun.h"
#include "CropVoid.h"
#include "DtedFiles.h"
#include "PatchScene.h"
#include "TestFiles.h"

#include <array>
#include <numeric>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

/// The n x n postings of a tile from (r0, c0) on.
IntGrid window(const IntGrid& t, int r0, int c0, int n)
{
    IntGrid out(n, n);
    for (int r = 0; r < n && r0 + r < t.rows(); ++r)
        for (int c = 0; c < n && c0 + c < t.cols(); ++c) out(r, c) = t(r0 + r, c0 + c);
    return out;
}

/// The crop filled in a padded 1201 tile.
void expectFilledCrop(const std::string& out)
{
    const IntGrid t = readTileFile(out);
    ASSERT_EQ(t.rows(), 1201) << out;
    expectCropFilled(t, readTileFile(testData("crop_N49E011.hgt")));
}

TEST(CliSrtm, FillRepairsTheVoidsOfARealTileAndBatchFillsAsTheWindowDoes)
{
    TempDir dir;
    const std::string crop = testData("crop_N49E011.hgt");
    CliResult r =
        runCli("fill " + crop + " " + dir.file("a.hgt") + " --null -32000 --lsqr 0 --laplacian 300 --refining 0");
    EXPECT_NE(r.out.find("N49E011\n11\n49\nopened file successfully\n \nnullDataDefinition is:  -32000\n"),
              std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Done interpolating file.\n" + dir.file("a.hgt") + "\n"), std::string::npos) << r.out;
    expectFilledCrop(dir.file("a.hgt"));
    // The LSQR path, a rectangle of the tile, a converged surface: the same voids, the same known postings.
    for (const char* options :
         {" --subset 35 30 20 30 --lsqr 30 --refining 2", " --lsqr 0 --surface tension 0.25 --sea-level -5 3"}) {
        r = runCli("fill " + crop + " " + dir.file("b.hgt") + options);
        ASSERT_EQ(r.status, 0) << options << r.out;
        expectFilledCrop(dir.file("b.hgt"));
    }
    EXPECT_NE(r.out.find("Computing Converged Surface: tension 0.25\nVoid groups is:  1\n"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("seaLevelLower is:  -5\nseaLevelUpper is:  3\n"), std::string::npos) << r.out;

    // The batch's results equal the window's fill with no refining sweeps; a file that cannot be read is
    // skipped, the others are still saved.
    std::string files;
    for (const char* name : {"N49E011.hgt", "N49E012.hgt", "N50E011.hgt"}) {
        std::filesystem::copy_file(crop, dir.file(name));
        files += " " + dir.file(name);
    }
    r = runCli("batch " + dir.file("N00E000.hgt") + files + " --lsqr 0 --laplacian 300 --refining 5");
    EXPECT_EQ(r.status, 1);
    for (const char* name : {"N49E011.hgx", "N49E012.hgx", "N50E011.hgx"})
        EXPECT_EQ(readBytes(dir.file(name)), readBytes(dir.file("a.hgt"))) << name;
    EXPECT_NE(r.out.find(".hgt\n.hgt\n.hgt\nLSQR Iterations is:  0\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("could not open input file\n \nSkipped: the file could not be loaded.\n"), std::string::npos);
    EXPECT_NE(r.out.find("Finished processing file number:  3\n"), std::string::npos);
}

// The scene's tile (DTED1 cell N49 E011) patched from each source: its known postings kept, its
// header reused, the voids near the truth.
TEST(CliPatch, EachSourceFillsTheVoids)
{
    TempDir dir;
    const PatchScene scene;
    const DsiCorner corner{"0110000.0E", "490000N"};
    const std::string tile = dir.file("n49_e011.dt1"), out = dir.file("out.dt1");
    writeBytes(tile, dtedFileOfTile(scene.tile, corner));
    writeBytes(dir.file("n49_e011.dt0"), dtedFileOfTile(scene.dted0, corner));
    writeBytes(dir.file("truth.dt1"), dtedFileOfTile(scene.truth, corner));
    const std::string solver = " --lsqr 0 --laplacian 200 --refining 0";
    struct Row { std::string options, line; double rmse; bool lattice = false; };   // rmse 0: the truth exactly
    for (const Row& row :
         {Row{" --dted0 " + dir.file("n49_e011.dt0") + solver, "longitudeProfiles is:  121\n", 25, true},
          Row{" --dted0 " + dir.file("n49_e011.dt0") + " --coupled" + solver, "Done interpolating", 25},
          Row{" --dted1 " + dir.file("truth.dt1"), "", 0}}) {
        const CliResult r = runCli("patch " + tile + " " + out + row.options);
        ASSERT_EQ(r.status, 0) << row.options << r.out;
        EXPECT_NE(r.out.find(row.line), std::string::npos) << row.options << r.out;
        NullReporter quiet;
        const IntGrid patched = readDted1Tile(out, quiet).value_or(Dted1Tile{}).tile;
        ASSERT_EQ(patched.rows(), 1201);
        EXPECT_TRUE(scene.knownPostingsKept(patched)) << row.options;
        if (row.rmse > 0) EXPECT_LT(scene.voidRmse(patched), row.rmse) << row.options;
        else
            EXPECT_TRUE(patched == scene.truth &&
                        r.out.find("Done interpolating") == std::string::npos);   // nothing left to fill
        if (row.lattice) { EXPECT_TRUE(scene.latticeInVoidsExact(patched)); }
        const auto bytes = readBytes(out), in = readBytes(tile);
        EXPECT_TRUE(std::equal(in.begin(), in.begin() + 3436, bytes.begin())) << row.options;   // the header reused
    }
}

TEST(CliConvert, InputsNotWholeEndWithStatus1UnlessPartialIsAllowed)
{
    TempDir dir;
    auto cut = [&](const std::string& from, std::size_t bytes, const std::string& name) {
        const auto b = readBytes(from);
        writeBytes(dir.file(name), std::vector<std::uint8_t>(b.begin(), b.begin() + std::ptrdiff_t(bytes)));
        return dir.file(name);
    };
    writeBytes(dir.file("e020n40.dem"), {});
    struct Case {
        std::string arguments;
        int status, allowedStatus;
        const char* line;
    };   // without, with --allow-partial
    const Case cases[] = {
        {testData("n43_partial_cols.dt0"), 1, 0, "DTED file not whole: 119 of 121 longitude profiles missing"},
        {cut(testData("crop_N49E011.hgt"), 10201, "N49E011.hgt"), 1, 1, "SRTM file of 10201 bytes is not a square"},
        {"--srtm30 " + dir.file("e020n40.dem"), 1, 1, "SRTM30 file holds not one whole row: nothing loaded."},
        {cut(testData("contour_crop.bmp"), 54 + 40 * 360, "map.bmp"), 1, 0,
         "The picture is cut short: 40 of its 90 rows were read."},
        {testData("n43.dt0"), 0, 0, "longitudeProfiles is:  121"},
    };
    for (const Case& c : cases)
        for (bool allow : {false, true}) {
            const std::string out = dir.file(allow ? "allowed.elv" : "refused.elv");
            const CliResult r = runCli("convert " + c.arguments + " " + out + (allow ? " --allow-partial" : ""));
            EXPECT_EQ(r.status, allow ? c.allowedStatus : c.status) << c.arguments << " " << allow << "\n" << r.out;
            EXPECT_NE(r.out.find(c.line), std::string::npos) << c.arguments << "\n" << r.out;
            EXPECT_EQ(std::filesystem::exists(out), r.status == 0) << c.arguments;
            std::filesystem::remove(out);
        }
}

constexpr int kSide = 34;                // sub-tiles of 34 x 34, overlapping by one posting
constexpr int kMosaic = 3 * kSide - 2;   // 100 x 100
const char* const kSolver = " --lsqr 0 --laplacian 300 --refining 0";

std::string tileName(int k) { return "N" + std::to_string(51 - k / 3) + "E01" + std::to_string(1 + k % 3) + ".hgt"; }

/// Sub-tile k of a mosaic.
IntGrid part(const IntGrid& mosaic, int k)
{
    return window(mosaic, (k / 3) * (kSide - 1), (k % 3) * (kSide - 1), kSide);
}

int countLines(const std::string& out, const std::string& text)
{
    int n = 0;
    for (std::size_t at = 0; (at = out.find(text, at)) != std::string::npos; ++at) ++n;
    return n;
}

/// The crop of N49E011 cut into a 3 x 3 set, voids punched across the sub-tiles' borders, a corner and an edge.
struct TileSetFixture : ::testing::Test {
    TempDir dir;
    IntGrid mosaic{kMosaic, kMosaic};
    std::string in = dir.file("in"), out = dir.file("out");
    void SetUp() override
    {
        mosaic = window(readTileFile(testData("crop_N49E011.hgt")), 0, 0, kMosaic);
        for (auto [r0, c0, h, w] : {std::array{28, 8, 9, 12}, {58, 58, 14, 13}, {0, 30, 4, 7}, {20, 62, 6, 9}})
            for (int r = r0; r < r0 + h; ++r)
                for (int c = c0; c < c0 + w; ++c) mosaic(r, c) = -32768;
        fs::create_directories(in);
        for (int k = 0; k < 9; ++k) writeBytes(in + "/" + tileName(k), encodeSrtmTile(part(mosaic, k)));
    }
    /// The whole mosaic filled at once by fill (the 100 x 100 file is read as one tile).
    IntGrid wholeFill()
    {
        writeBytes(dir.file("N49E011.hgt"), encodeSrtmTile(mosaic));
        EXPECT_EQ(runCli("fill " + dir.file("N49E011.hgt") + " " + dir.file("whole.hgt") + kSolver).status, 0);
        return window(readTileFile(dir.file("whole.hgt")), 0, 0, kMosaic);
    }
    /// How many postings of the outputs in folder differ from the mosaic's at their place.
    int differences(const std::string& folder, const IntGrid& expected)
    {
        int n = 0;
        for (int k = 0; k < 9; ++k) {
            const IntGrid t = readTileFile(folder + "/" + tileName(k)), e = part(expected, k);
            n += t.rows() != kSide ? kSide * kSide : int(std::inner_product(t.cells().begin(), t.cells().end(),
                                                          e.cells().begin(), 0, std::plus<>(), std::not_equal_to<>()));
        }
        return n;
    }
};

TEST_F(TileSetFixture, FillIsSeamlessEqualsTheWholeMosaicFillAndRedoesOnlyStaleOutputs)
{
    const CliResult r = runCli("tiles fill " + in + " " + out + kSolver + " --halo 12 --jobs 2");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(countLines(r.out, " of 9 N"), 9) << r.out;
    EXPECT_NE(r.out.find("N50E012.hgt: 2 voids, 90 postings filled"), std::string::npos) << r.out;
    const IntGrid whole = wholeFill();
    EXPECT_EQ(differences(out, whole), 0);
    EXPECT_TRUE(fs::exists(out + "/preview.jpg"));
    // Shards of a job array give the same bytes; the preview is left to 'tiles preview'.
    for (const char* shard : {"0/2", "1/2"})
        ASSERT_EQ(
            runCli("tiles fill " + in + " " + dir.file("sharded") + kSolver + " --halo 12 --jobs 1 --shard " + shard)
                .status,
            0);
    EXPECT_EQ(std::pair(differences(dir.file("sharded"), whole), fs::exists(dir.file("sharded/preview.jpg"))),
              std::pair(0, false));
    // A second run skips the complete outputs.
    const std::string command = "tiles fill " + in + " " + out + kSolver + " --halo 12";
    EXPECT_EQ(countLines(runCli(command).out, "up to date, skipped"), 9);
    // A newer corner tile makes it and its three neighbours stale; a cut-short and a missing output are redone.
    fs::last_write_time(in + "/N51E011.hgt", fs::file_time_type::clock::now() + std::chrono::hours(1));
    fs::resize_file(out + "/N49E013.hgt", 100);
    fs::remove(out + "/N49E012.hgt");
    writeText(out + "/.N49E012.hgt.99999-0.part", "left by a killed run");
    const CliResult rerun = runCli(command);
    EXPECT_EQ(countLines(rerun.out, "up to date, skipped"), 3) << rerun.out;
    EXPECT_FALSE(fs::exists(out + "/.N49E012.hgt.99999-0.part"));
    EXPECT_EQ(differences(out, whole), 0);
}


} // namespace
