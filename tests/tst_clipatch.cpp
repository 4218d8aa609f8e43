// gridmend-cli patch, resample and the patch sources in convert, run as a user runs them.
#include "formats/Dted.h"
#include "CliRun.h"
#include "DtedFiles.h"
#include "PatchScene.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

/// The scene's tile as DTED1 cell N49 E011 and its DTED0 tile, in dir.
void writeScene(const PatchScene& scene, const TempDir& dir)
{
    writeBytes(dir.file("n49_e011.dt1"), dtedFileOfTile(scene.tile, {"0110000.0E", "490000N"}));
    writeBytes(dir.file("n49_e011.dt0"), dtedFileOfTile(scene.dted0, {"0110000.0E", "490000N"}));
}

IntGrid readTile(const std::string& path)
{
    NullReporter quiet;
    auto tile = readDted1Tile(path, quiet);
    return tile ? tile->tile : IntGrid();
}

} // namespace

TEST(CliPatch, SeparateRoadFromADted0Tile)
{
    TempDir dir;
    const PatchScene scene;
    writeScene(scene, dir);
    const CliResult r = runCli("patch " + dir.file("n49_e011.dt1") + " " + dir.file("out.dt1") + " --dted0 " +
                            dir.file("n49_e011.dt0") + " --lsqr 0 --laplacian 200 --refining 0");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("longitudeProfiles is:  121\n"), std::string::npos);
    EXPECT_NE(r.out.find("Done interpolating file.\n"), std::string::npos);
    const IntGrid out = readTile(dir.file("out.dt1"));   // behind the tile's own header
    ASSERT_EQ(out.rows(), 1201);
    EXPECT_TRUE(scene.knownPostingsKept(out));
    EXPECT_TRUE(scene.latticeInVoidsExact(out));
    EXPECT_LT(scene.voidRmse(out), 25.0);
    const auto bytes = readBytes(dir.file("out.dt1")), tile = readBytes(dir.file("n49_e011.dt1"));
    EXPECT_TRUE(std::equal(tile.begin(), tile.begin() + 3436, bytes.begin()));
}

TEST(CliPatch, CoupledRoadInterpolatesTheInsertedPostingsWithTheTile)
{
    TempDir dir;
    const PatchScene scene;
    writeScene(scene, dir);
    const CliResult r = runCli("patch " + dir.file("n49_e011.dt1") + " " + dir.file("out.dt1") + " --dted0 " +
                               dir.file("n49_e011.dt0") + " --coupled --lsqr 0 --laplacian 200 --refining 0");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Done interpolating file.\n"), std::string::npos);
    const IntGrid out = readTile(dir.file("out.dt1"));
    ASSERT_EQ(out.rows(), 1201);
    EXPECT_TRUE(scene.knownPostingsKept(out));
    EXPECT_LT(scene.voidRmse(out), 25.0);
}

TEST(CliPatch, SeparateRoadFromAnSrtm30Tile)
{
    TempDir dir;
    const PatchScene scene;
    writeScene(scene, dir);
    // e010n50 covers N49 E011 at rows 0..119, columns 120..239 (the file holds its first 120 rows,
    // read with --allow-partial).
    std::vector<std::uint8_t> rows;
    for (int r = 0; r < 120; ++r)
        for (int c = 0; c < 4800; ++c) {
            const int v = c >= 120 && c < 240 ? scene.truth(10 * r, 10 * (c - 120)) : -9999;
            rows.push_back(std::uint8_t((v >> 8) & 0xFF));
            rows.push_back(std::uint8_t(v & 0xFF));
        }
    writeBytes(dir.file("e010n50.dem"), rows);
    const CliResult r = runCli("patch " + dir.file("n49_e011.dt1") + " " + dir.file("out.dt1") + " --srtm30 " +
                            dir.file("e010n50.dem") + " --lsqr 0 --laplacian 200 --refining 0 --allow-partial");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("srtm30RowZero is:  0\nsrtm30ColumnZero is:  120\n"), std::string::npos) << r.out;
    const IntGrid out = readTile(dir.file("out.dt1"));
    EXPECT_TRUE(scene.knownPostingsKept(out));
    EXPECT_LT(scene.voidRmse(out), 30.0);

    // A tile outside the SRTM30 tile: the error window's text, status 1.
    writeBytes(dir.file("e020n40.dem"), rows);
    const CliResult outside = runCli("patch " + dir.file("n49_e011.dt1") + " " + dir.file("x.dt1") + " --srtm30 " +
                                  dir.file("e020n40.dem") + " --allow-partial");
    EXPECT_EQ(outside.status, 1);
    EXPECT_NE(outside.out.find("srtm30RowZero is:  -1200\n"), std::string::npos) << outside.out;
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.dt1")));
}

TEST(CliPatch, Dted1CutsPatchesAndCommandLinesAreChecked)
{
    TempDir dir;
    const PatchScene scene;
    writeScene(scene, dir);
    writeBytes(dir.file("truth.dt1"), dtedFileOfTile(scene.truth, {"0110000.0E", "490000N"}));
    const CliResult r = runCli("patch " + dir.file("n49_e011.dt1") + " " + dir.file("out.dt1") + " --dted1 " +
                            dir.file("truth.dt1"));
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.find("Done interpolating file."), std::string::npos);   // no null posting was left
    EXPECT_EQ(readTile(dir.file("out.dt1")), scene.truth);

    const std::string tile = dir.file("n49_e011.dt1"), out = dir.file("o.dt1");
    EXPECT_EQ(runCli("patch " + tile + " " + out).status, 2);   // no source
    EXPECT_EQ(runCli("patch " + tile + " " + out + " --dted0 a.dt0 --dted1 b.dt1").status, 2);
    EXPECT_EQ(runCli("patch " + tile + " " + out + " --dted1 " + dir.file("truth.dt1") + " --coupled").status, 2);
    EXPECT_EQ(runCli("patch " + tile + " " + out + " --dted0 " + dir.file("truth.dt1")).status, 2);
    EXPECT_EQ(runCli("patch " + tile + " " + out + " --dted0 /nonexistent/n49.dt0").status, 1);
    // The tile is not on the DTED0 lattice: Expand DTED0 DEM refuses.
    writeText(dir.file("small.elv"), "2 2 1\n1 2\n3 4\n");
    const CliResult small = runCli("patch " + dir.file("small.elv") + " " + dir.file("s.elv") + " --dted0 " +
                                dir.file("n49_e011.dt0"));
    EXPECT_EQ(small.status, 1);
    EXPECT_NE(small.out.find("Expand DTED0 DEM refused"), std::string::npos);
}

TEST(CliConvert, PatchSourcesAndDted1Output)
{
    TempDir dir;
    // A real DTED0 cell to an elevation array, north up as GDAL reads it.
    CliResult r = runCli("convert " + testData("n43.dt0") + " " + dir.file("n43.elv"));
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string elv = readText(dir.file("n43.elv"));
    EXPECT_EQ(elv.substr(0, 31), "       121       121         1\n");
    EXPECT_EQ(elv.substr(31, 20), "       294       311");

    // A DTED1 input keeps its header for a DTED1 output; any other input is refused. The cut-down
    // cell (profiles 670-677 only) is read with --allow-partial, each profile in its own column.
    r = runCli("convert " + testData("n00_e006_profiles670-677.dt1") + " " + dir.file("copy.dt1") + " --allow-partial");
    ASSERT_EQ(r.status, 0) << r.out;
    const auto in = readBytes(testData("n00_e006_profiles670-677.dt1"));
    const auto copy = readBytes(dir.file("copy.dt1"));
    ASSERT_EQ(copy.size(), 3436u + 1201u * 2414u);
    EXPECT_TRUE(std::equal(in.begin(), in.begin() + 3436, copy.begin()));
    EXPECT_TRUE(std::equal(in.begin() + 3436, in.begin() + 3436 + 2402, copy.begin() + 3436 + 670 * 2414));
    r = runCli("convert " + dir.file("n43.elv") + " " + dir.file("x.dt1"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find(dted::kNoHeaderLine), std::string::npos);

    // An SRTM30 tile (--srtm30) is read whole, 6000 x 4800 (this one of a single row with --allow-partial).
    std::vector<std::uint8_t> rows(4800 * 2, 0);
    rows[1] = 42;
    writeBytes(dir.file("w140n10.dem"), rows);
    r = runCli("convert --srtm30 " + dir.file("w140n10.dem") + " " + dir.file("srtm30.bsq") + " --allow-partial");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("-140\n10\n"), std::string::npos);
    EXPECT_EQ(readBytes(dir.file("srtm30.bsq")).size(), 6000u * 4800u * 2u);
    EXPECT_EQ(runCli("convert --srtm30 " + dir.file("n43.elv") + " " + dir.file("y.bsq")).status, 2);
}

TEST(CliConvert, InputsNotWholeEndWithStatus1UnlessPartialIsAllowed)
{
    TempDir dir;
    auto cut = [&](const std::string& from, std::size_t bytes, const std::string& name) {
        auto b = readBytes(from);
        b.resize(bytes);
        writeBytes(dir.file(name), b);
        return dir.file(name);
    };
    writeBytes(dir.file("e020n40.dem"), {});
    struct Case {
        std::string arguments;
        int status, allowedStatus;   ///< without and with --allow-partial
        const char* line;
    };
    const Case cases[] = {
        {testData("n43_partial_cols.dt0"), 1, 0, "DTED file not whole: 119 of 121 longitude profiles missing"},
        {cut(testData("n43.dt0"), 20000, "cut.dt0"), 1, 0, "DTED file not whole: 56 of 121 longitude profiles"},
        {cut(testData("crop_N49E011.hgt"), 10201, "N49E011.hgt"), 1, 1, "SRTM file of 10201 bytes is not a square"},
        {"--srtm30 " + dir.file("e020n40.dem"), 1, 1, "SRTM30 file holds not one whole row: nothing loaded."},
        {cut(testData("contour_crop.bmp"), 54 + 40 * 360, "map.bmp"), 1, 0,
         "The picture is cut short: 40 of its 90 rows were read."},
        {testData("n43.dt0"), 0, 0, "longitudeProfiles is:  121"},
    };
    for (const Case& c : cases) {
        for (bool allow : {false, true}) {
            const std::string out = dir.file(allow ? "allowed.elv" : "refused.elv");
            const CliResult r = runCli("convert " + c.arguments + " " + out + (allow ? " --allow-partial" : ""));
            EXPECT_EQ(r.status, allow ? c.allowedStatus : c.status) << c.arguments << " " << allow << "\n" << r.out;
            EXPECT_NE(r.out.find(c.line), std::string::npos) << c.arguments << "\n" << r.out;
            EXPECT_EQ(std::filesystem::exists(out), r.status == 0) << c.arguments;
            std::filesystem::remove(out);
        }
    }
}

TEST(CliConvert, HeightFilesAreWrittenOnlyAsWholeTiles)
{
    // 1300 x 10 postings become a 3601 x 3601 tile, as "Save SRTM Heightfield" pads it.
    TempDir dir;
    std::string text = "      1300        10         1\n";
    for (int r = 0; r < 1300; ++r) {
        for (int c = 0; c < 10; ++c) text += "         " + std::to_string((r + c) % 10);
        text += "\n";
    }
    writeText(dir.file("tall.elv"), text);
    ASSERT_EQ(runCli("convert " + dir.file("tall.elv") + " " + dir.file("tall.hgt")).status, 0);
    const auto bytes = readBytes(dir.file("tall.hgt"));
    ASSERT_EQ(bytes.size(), 2u * 3601u * 3601u);
    EXPECT_EQ(bytes[2 * (1299 * 3601 + 9) + 1], (1299 + 9) % 10);   // north row first, west column first
    EXPECT_EQ(bytes[2 * (1300 * 3601) + 1], 0);                       // padding
}

TEST(CliResample, AveragesAndRefusesATileSmallerThanTheRate)
{
    TempDir dir;
    writeText(dir.file("g.elv"), "5 5 1\n"
                                 "1 1 1 1 1\n"
                                 "1 1 10 1 1\n"
                                 "1 30 99 40 1\n"
                                 "1 1 20 1 1\n"
                                 "1 1 1 1 1\n");
    CliResult r = runCli("resample " + dir.file("g.elv") + " " + dir.file("h.elv") + " --rate 2");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(readText(dir.file("h.elv")), "         2         2         1\n"
                                          "         1         1\n"
                                          "         1        25\n");
    r = runCli("resample " + dir.file("g.elv") + " " + dir.file("h.elv") + " --rate 8");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Resample refused"), std::string::npos);
    EXPECT_EQ(runCli("resample " + dir.file("g.elv") + " " + dir.file("h.elv") + " --rate 3").status, 2);
    EXPECT_EQ(runCli("resample " + dir.file("g.elv") + " " + dir.file("h.elv")).status, 2);
}
