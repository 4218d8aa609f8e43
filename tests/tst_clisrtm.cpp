// gridmend-cli with SRTM tiles: fill, batch, and ".hgt" in convert and interpolate.
#include "app/core/Reporter.h"
#include "formats/ElevationArray.h"
#include "formats/SrtmHgt.h"
#include "CliRun.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

/// The crop of N49E011.hgt: 101 x 101 with a 3 x 3 void at rows 44-46, columns 43-45.
constexpr int kSide = 101;
bool isVoid(int r, int c) { return r >= 44 && r <= 46 && c >= 43 && c <= 45; }

IntGrid tileAt(const std::string& path)
{
    NullReporter quiet;
    auto t = readSrtmTile(path, quiet);
    return t ? *t : IntGrid();
}

/// The crop's known postings are kept byte for byte, its voids filled between their neighbours.
void expectFilledCrop(const std::string& out)
{
    const auto bytes = readBytes(out), crop = readBytes(testData("crop_N49E011.hgt"));
    ASSERT_EQ(bytes.size(), 2u * 1201 * 1201) << out;
    const IntGrid t = tileAt(out);
    for (int r = 0; r < kSide; ++r)
        for (int c = 0; c < kSide; ++c) {
            const std::size_t at = 2 * (std::size_t(r) * 1201 + c), from = 2 * (std::size_t(r) * kSide + c);
            if (!isVoid(r, c)) {
                ASSERT_TRUE(bytes[at] == crop[from] && bytes[at + 1] == crop[from + 1]) << r << "," << c;
            } else {
                EXPECT_TRUE(t(r, c) >= 540 && t(r, c) <= 600) << r << "," << c << " " << t(r, c);
            }
        }
}

} // namespace

TEST(CliSrtm, FillRepairsTheVoidsOfARealTile)
{
    TempDir dir;
    const std::string crop = testData("crop_N49E011.hgt");
    const CliResult r = runCli("fill " + crop + " " + dir.file("a.hgt") +
                               " --null -32000 --lsqr 0 --laplacian 300 --refining 0");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("N49E011\n11\n49\nopened file successfully\n \nnullDataDefinition is:  -32000\n"),
              std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Done interpolating file.\n" + dir.file("a.hgt") + "\n"), std::string::npos) << r.out;
    expectFilledCrop(dir.file("a.hgt"));

    // The LSQR path, and a rectangle of the tile: the same voids, the same known postings.
    ASSERT_EQ(runCli("fill " + crop + " " + dir.file("b.hgt") + " --lsqr 30 --laplacian 100 --refining 2").status, 0);
    expectFilledCrop(dir.file("b.hgt"));
    ASSERT_EQ(runCli("fill " + crop + " " + dir.file("c.hgt") + " --subset 35 30 20 30 --lsqr 0 --refining 0").status,
              0);
    expectFilledCrop(dir.file("c.hgt"));
    // A converged surface in place of the sweeps.
    const CliResult e = runCli("fill " + crop + " " + dir.file("e.hgt") + " --lsqr 0 --refining 0 --surface tension 0.25");
    ASSERT_EQ(e.status, 0) << e.out;
    EXPECT_NE(e.out.find("Computing Converged Surface: tension 0.25\nVoid groups is:  1\n"), std::string::npos) << e.out;
    expectFilledCrop(dir.file("e.hgt"));

    // Sea-level clipping before the run: postings from -15 to 400 become 0 (this crop's lowest is 332).
    ASSERT_EQ(runCli("fill " + crop + " " + dir.file("d.hgt") + " --sea-level -15 400 --lsqr 0").status, 0);
    const IntGrid d = tileAt(dir.file("d.hgt")), original = tileAt(crop);
    for (int r = 0; r < kSide; ++r)
        for (int c = 0; c < kSide; ++c)
            if (!isVoid(r, c)) {
                ASSERT_EQ(d(r, c), original(r, c) <= 400 ? 0 : original(r, c)) << r << "," << c;
            }
}

TEST(CliSrtm, FillRefusesWhatIsNotATileOrAUsableRectangle)
{
    TempDir dir;
    const std::string crop = testData("crop_N49E011.hgt");
    EXPECT_EQ(runCli("fill " + crop + " " + dir.file("o.hgt") + " --subset 90 90 20 20").status, 2);
    EXPECT_EQ(runCli("fill " + crop + " " + dir.file("o.hgt") + " --subset 1 1 0 5").status, 2);
    EXPECT_EQ(runCli("fill " + crop + " " + dir.file("o.hgt") + " --null x").status, 2);
    EXPECT_EQ(runCli("fill " + crop + " " + dir.file("o.hgt") + " --rows 4").status, 2);
    for (const char* surface : {"bogus", "tension 1.5", "tension x", "tension"})
        EXPECT_EQ(runCli("fill " + crop + " " + dir.file("o.hgt") + " --surface " + surface).status, 2) << surface;
    EXPECT_EQ(runCli("fill " + dir.file("N01E001.hgt") + " " + dir.file("o.hgt")).status, 1);   // missing
    writeText(dir.file("a.elv"), "1 1 0\n5\n");
    EXPECT_EQ(runCli("fill " + dir.file("a.elv") + " " + dir.file("o.hgt")).status, 1);   // not a tile
    EXPECT_EQ(runCli("fill " + crop + " " + dir.file("no/such/o.hgt") + " --lsqr 0").status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.hgt")));
}

TEST(CliSrtm, BatchFillsThreeTilesAsTheDialogDoes)
{
    TempDir dir;
    const auto crop = readBytes(testData("crop_N49E011.hgt"));
    std::string files;
    for (const char* name : {"N49E011.hgt", "N49E012.hgt", "N50E011.hgt"}) {
        writeBytes(dir.file(name), crop);
        files += " " + dir.file(name);
    }
    const CliResult r = runCli("batch" + files + " --lsqr 0 --laplacian 300 --refining 5");
    ASSERT_EQ(r.status, 0) << r.out;
    for (const char* name : {"N49E011.hgx", "N49E012.hgx", "N50E011.hgx"}) expectFilledCrop(dir.file(name));
    EXPECT_NE(r.out.find(".hgt\n.hgt\n.hgt\nLSQR Iterations is:  0\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("nullDataDefinition is:  -32000\n" + dir.file("N49E011.hgt") + "\nopened file successfully\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Finished processing file number:  2\n"), std::string::npos);

    // The batch's result equals the window's: fill with no refining sweeps.
    ASSERT_EQ(runCli("fill " + dir.file("N49E011.hgt") + " " + dir.file("f.hgt") +
                     " --null -32000 --lsqr 0 --laplacian 300 --refining 0").status,
              0);
    EXPECT_EQ(readBytes(dir.file("f.hgt")), readBytes(dir.file("N49E011.hgx")));

    // A file that cannot be read is skipped; the others are still saved.
    const CliResult partial = runCli("batch " + dir.file("N00E000.hgt") + files + " --lsqr 0");
    EXPECT_EQ(partial.status, 1);
    EXPECT_NE(partial.out.find("could not open input file\n \nSkipped: the file could not be loaded.\n"),
              std::string::npos);
    EXPECT_NE(partial.out.find("Finished processing file number:  3\n"), std::string::npos);
}

TEST(CliSrtm, HgtJoinsConvertAndInterpolate)
{
    TempDir dir;
    const std::string crop = testData("crop_N49E011.hgt");
    // convert: the tile through the solution-from-grid transfer and "Save SRTM": padded to 1201, north up.
    ASSERT_EQ(runCli("convert " + crop + " " + dir.file("copy.hgt")).status, 0);
    const IntGrid copy = tileAt(dir.file("copy.hgt")), original = tileAt(crop);
    ASSERT_EQ(copy.rows(), 1201);
    for (int r = 0; r < kSide; ++r)
        for (int c = 0; c < kSide; ++c) ASSERT_EQ(copy(r, c), original(r, c));
    ASSERT_EQ(runCli("convert " + crop + " " + dir.file("copy.elv")).status, 0);
    NullReporter quiet;
    const auto elv = readElevationArray(dir.file("copy.elv"), quiet);
    ASSERT_TRUE(elv);
    EXPECT_EQ(elv->grid, original);

    // interpolate: "Input Data" and Run, whose write-back fills the voids (below -1000).
    ASSERT_EQ(runCli("interpolate " + crop + " " + dir.file("i.hgt") + " --lsqr 0 --laplacian 300 --refining 0").status,
              0);
    expectFilledCrop(dir.file("i.hgt"));
    // An elevation array written back as an SRTM tile.
    writeText(dir.file("g.elv"), "2 2 1\n1 2\n3 4\n");
    ASSERT_EQ(runCli("convert " + dir.file("g.elv") + " " + dir.file("g.hgt")).status, 0);
    const IntGrid g = tileAt(dir.file("g.hgt"));
    EXPECT_EQ(g(0, 0), 1);
    EXPECT_EQ(g(1, 1), 4);
}
