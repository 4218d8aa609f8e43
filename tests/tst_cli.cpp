// gridmend-cli run as a process, as a user runs it: every refusal's exit status, and one run
// per command with the lines and files a script reads.
#include "formats/TextGrid.h"
#include "CliRun.h"
#include "TestFiles.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const char* const kCorners = "40 0 0 40\n0 0 0 0\n0 0 0 0\n100 0 0 100\n";   // 4 x 4, south row first

/// The output with the given parts in this order (each may stand anywhere after the one before).
::testing::AssertionResult inOrder(const std::string& out, const std::vector<std::string>& parts)
{
    std::size_t at = 0;
    for (const std::string& part : parts) {
        const std::size_t found = out.find(part, at);
        if (found == std::string::npos) return ::testing::AssertionFailure() << "missing: " << part << "\nin:\n" << out;
        at = found + part.size();
    }
    return ::testing::AssertionSuccess();
}

} // namespace

// One row per refusal: usage errors end with 2, failures to read or write with 1, with the
// reason in the output and nothing written under the output's name ("o.*").
TEST(Cli, ExitStatusAndReasonOfEveryRefusal)
{
    TempDir dir;
    const std::string d = dir.file(""), crop = testData("crop_N49E011.hgt"), map = testData("contour_crop.bmp");
    const std::string shp = testData("storml_contours_12.shp"), dt0 = testData("n43.dt0");
    const std::string tif = testData("crop_N49E011_int16.tif");
    writeText(d + "short.txt", "1 2 3");
    writeText(d + "g.txt", kCorners);
    writeText(d + "a.elv", "2 2 1\n1 2\n3 4\n");
    writeText(d + "bad.elv", "0 0 1\n");
    writeText(d + "c.elv", "4 4 0\n100 255 255 100\n255 255 255 255\n255 255 255 255\n40 255 255 40\n");
    writeText(d + "aus_dem_erm", "");
    writeText(d + "broken.tif", "II* not a tiff");
    fs::create_directory(d + "folder.hgt");
    fs::create_symlink("/dev/full", d + "full.txt");
    for (const char* ext : {".shp", ".shx", ".dbf"})
        fs::copy_file(testData(std::string("storml_contours_12") + ext), d + "bad" + ext);
    for (const char* folder : {"empty", "mixed", "odd", "same"}) fs::create_directory(d + folder);   // tile sets
    writeBytes(d + "mixed/N10E010.hgt", std::vector<std::uint8_t>(2 * 5 * 5));
    writeBytes(d + "mixed/N10E011.hgt", std::vector<std::uint8_t>(2 * 6 * 6));
    writeBytes(d + "odd/N10E010.hgt", std::vector<std::uint8_t>(2 * 5 * 5 + 1));
    writeBytes(d + "same/N10E010.hgt", std::vector<std::uint8_t>(2 * 5 * 5, 0x80));
    writeText(d + "badlist.txt", d + "mixed/N10E010.hgt\n" + d + "notes.txt\n");
    writeText(d + "twice.txt", d + "mixed/N10E010.hgt\n" + d + "odd/../mixed/N10E010.hgt\n");
    auto badShp = readBytes(d + "bad.shp");
    badShp[2] = 0x12;
    writeBytes(d + "bad.shp", badShp);
    const std::string grid = " --rows 4 --columns 4 --lsqr 0", dem = " --origin 500000 4000000 --utm-zone 5";
    const std::string txt = d + "g.txt " + d + "o.txt", tile = crop + " " + d + "o.hgt", o = " " + d + "o.";
    struct Row {
        std::string args;
        int status;
        std::string says;   ///< in standard output or error; "" = anything
    };
    const Row rows[] = {
        {"no-such-command", 2, "unknown command"},
        {"interpolate only-one-argument --rows 4 --columns 4", 2, "expected 2 arguments"},
        {"interpolate " + txt + " --rows 4 --columns 4 --lsqr 1000000000000", 2, "out of range"},
        {"interpolate " + d + "short.txt" + o + "txt" + grid, 1, "holds 3 numbers; rows x columns = 16"},
        {"interpolate " + d + "missing.txt" + o + "txt" + grid, 1, "could not open input file"},
        {"interpolate " + d + "g.txt " + d + "full.txt" + grid, 1, "full.txt: No space left on device"},
        {"interpolate " + d + "c.elv" + o + "elv --rows 4 --columns 4 --lsqr 0", 2, ""},   // size from the file
        {"interpolate " + shp + o + "txt --lsqr 0", 1, ""},   // Run needs LSQR
        {"interpolate " + d + "bad.shp" + o + "txt --lsqr 2 --maxspan 60", 1,
         "This does not look like a proper .shp file.\nExiting.\n"},
        {"convert " + d + "a.elv" + o + "xyz", 2, ""},
        {"convert " + d + "bad.elv" + o + "txt", 1, "Failed to open elevation file."},
        {"convert /dev/zero" + o + "txt", 1, "/dev/zero is a device"},
        {"convert " + d + "a.elv" + o + "dt1", 1, "No DTED1 header block to reuse"},
        {"convert " + d + "aus_dem_erm" + o + "bsq", 2, ""},   // no corner
        {"convert " + crop + o + "dem" + dem + " --spacing 0", 2, "spacing"},
        {"convert " + crop + o + "dem" + dem + " --output-scale 1e300", 2, "scale factor"},
        {"convert " + crop + o + "dem --origin 500000 4000000 --utm-zone 61", 2, ""},
        {"convert " + crop + " /nonexistent-dir/f.dem" + dem, 1, "/nonexistent-dir: No such file or directory"},
        {"convert " + crop + o + "ter --terragen-scale 70000", 2, "between -32768 and 32767"},
        {"convert " + tif + " " + d + "no/such/dir/o.tif", 1, "GDAL: "},
        {"convert " + tif + o + "hgt --cog", 2, ""},
        {"convert " + tif + o + "tif --type Int7", 2, ""},
        {"fill " + d + "broken.tif" + o + "tif", 2, ""},   // no reader takes it
        {"fill " + tile + " --null 99999999999", 2, "--null 99999999999 is out of range"},
        {"fill " + tile + " --subset 2147483000 0 1000 10", 2, "must lie inside"},
        {"fill " + tile + " --surface bogus", 2, ""},
        {"fill " + d + "folder.hgt" + o + "hgt", 1, "folder.hgt is a folder, not a file"},
        {"fill " + d + "a.elv" + o + "hgt", 1, ""},   // not a tile
        {"fill " + crop + " /nonexistent-dir/o.hgt", 1, "No such file or directory"},
        {"prepare " + map + o + "elv --thin 3", 2, ""},   // no line code yet
        {"prepare " + map + o + "txt", 2, ""},
        {"prepare " + d + "missing.bmp" + o + "elv", 1, ""},
        {"classify " + map + o + "bmp --clusters 0 --passes 1", 2, ""},
        {"classify " + map + o + "bmp --clusters 2147483647 --passes 1", 1, "pixels"},
        {"resample " + d + "a.elv" + o + "elv", 2, ""},
        {"resample " + d + "a.elv" + o + "elv --rate 8", 1, "Resample refused"},
        {"patch " + crop + o + "dt1", 2, ""},   // no source
        {"patch " + crop + o + "dt1 --dted0 /nonexistent/n49.dt0", 1, ""},
        {"patch " + d + "a.elv" + o + "elv --dted0 " + dt0, 1, "Expand DTED0 DEM refused"},
        {"render3d " + crop + o + "jpg --rows 101 --columns 101", 2, ""},   // the size comes from the file
        {"render3d " + d + "g.txt" + o + "jpg", 2, ""},   // an ASCII matrix needs it
        {"", 2, ""},   // no command
        {"tiles mend " + d + "mixed " + d + "o", 2, ""},
        {"tiles fill " + d + "empty " + d + "o", 1, "No SRTM tiles (such as N49E011.hgt) in"},
        {"tiles fill " + d + "mixed " + d + "o", 1, "Tiles of different sizes: "},
        {"tiles fill " + d + "odd " + d + "o", 1, "Not a square tile of 16-bit postings: "},
        {"tiles fill " + d + "badlist.txt " + d + "o", 1, "Not an SRTM tile name (such as N49E011.hgt): "},
        {"tiles fill " + d + "twice.txt " + d + "o", 1, "Two tiles of one cell: "},
        {"tiles fill " + d + "missing.txt " + d + "o", 1, "Cannot read the tile list "},
        {"tiles fill " + d + "mixed " + d + "o --shard 2/2", 2, ""},
        {"tiles fill " + d + "same " + d + "same/.", 1, " holds the input tile "},   // over its own inputs
    };
    for (const Row& row : rows) {
        if (row.args.rfind("render3d", 0) == 0 && !std::getenv("DISPLAY")) continue;   // needs an X server first
        const CliResult r = runCli(row.args, true);
        EXPECT_EQ(r.status, row.status) << row.args << "\n" << r.out;
        EXPECT_NE(r.out.find(row.says), std::string::npos) << row.args << "\n" << r.out;
        EXPECT_EQ(r.out.find("std::"), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("File saved."), std::string::npos) << row.args;
    }
    for (const auto& e : fs::directory_iterator(d)) EXPECT_NE(e.path().stem(), "o") << e.path();
    EXPECT_EQ(readBytes(d + "same/N10E010.hgt"), std::vector<std::uint8_t>(2 * 5 * 5, 0x80));
}

TEST(Cli, AFailedOrKilledWriteLeavesTheExistingFileWhole)
{
    TempDir dir;
    const std::string work = dir.file("N49E011.hgt");
    fs::copy_file(testData("crop_N49E011.hgt"), work);
    const auto before = readBytes(work);
    const std::string fill = "fill " + work + " " + work + " --lsqr 0 --laplacian 5";
    // The output (2.9 MB) exceeds the size limit: refused with the system's reason, or killed mid-write.
    const CliResult refused = runCli(fill, true, "ulimit -f 100; trap '' XFSZ; ");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find("could not open output file\n" + work + ": File too large\n"), std::string::npos)
        << refused.out;
    EXPECT_EQ(readBytes(work), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("")), {}), 1);   // no temporary left
    EXPECT_NE(runCli(fill, false, "ulimit -f 100; ").status, 0);
    EXPECT_EQ(readBytes(work), before);
    fs::create_symlink(work, dir.file("link.hgt"));   // through a link: the link stays, the tile is replaced
    ASSERT_EQ(runCli("fill " + testData("crop_N49E011.hgt") + " " + dir.file("link.hgt") + " --lsqr 0").status, 0);
    EXPECT_TRUE(fs::is_symlink(dir.file("link.hgt")));
    EXPECT_EQ(readBytes(work).size(), 2u * 1201 * 1201);
}

TEST(Cli, InterpolateATextGridWithEveryReportLineAndEachOutputFormat)
{
    TempDir dir;
    writeText(dir.file("in.txt"), kCorners);
    const std::string run = "interpolate " + dir.file("in.txt") + " ";
    CliResult r = runCli(run + dir.file("out.txt") + " --rows 4 --columns 4 --lsqr 3 --laplacian 50 --refining 0");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(inOrder(r.out, {"opened file successfully\n \nnon zero nodes is:  4\nnumberRows is:  20\n \n"
                                "Computing Initial Estimate\n", " \nComputing LSQR Solution\n"
                                "  Least Squares Solution of A*x = b\n"
                                "\tThe matrix A has      20 rows and      16 columns\n"
                                "\tThe damping parameter is\tDAMP =   0.00e+00\n"
                                "\tATOL =   1.00e-10\t\tCONDLIM =   1.00e+04\n"
                                "\tBTOL =   1.00e-10\t\tITERLIM =          3\n\n"
                                " \nTermination Flag is:   7\nNumber of Iterations is:   3\nSolution Norm is:   ",
                                "CPU time is:  0\n \nDone.  View image or save solution to file.\n \n"
                                "Done interpolating file.\n",
                                "File saved.\n"}));
    // Relaxation only: known postings kept, the southern row first.
    const std::string opts = " --rows 4 --columns 4 --lsqr 0 --laplacian 300 --refining 0";
    r = runCli(run + dir.file("r.txt") + opts);
    EXPECT_TRUE(inOrder(r.out, {"LSQR Iterations is:  0\nLaplacian Iterations is:  300\n",
                                "Computing Initial Estimate\nDone interpolating file.\n", "File saved."}));
    EXPECT_EQ(readText(dir.file("r.txt")).substr(0, 10), "   40.0000");
}

TEST(Cli, InterpolatesGridInputsAndPoints)
{
    TempDir dir;
    // A contour array (255 unknown) in the four-box form, written north-up as read.
    writeText(dir.file("c.elv"), "4 4 0\n100 255 255 100\n255 255 255 255\n255 255 255 255\n40 255 255 40\n");
    CliResult r = runCli("interpolate " + dir.file("c.elv") + " " + dir.file("c_out.elv") +
                         " --lsqr 0 --laplacian 300 --refining 0");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string out = readText(dir.file("c_out.elv"));
    EXPECT_EQ(out.substr(0, 41), "         4         4         1\n       100");
    EXPECT_EQ(out.substr(31 + 3 * 41, 10), "        40");
    writeText(dir.file("p.ind"), "0 0 50\n0 5 50\n5 0 10\n5 5 10\n");
    ASSERT_EQ(runCli("interpolate " + dir.file("p.ind") + " " + dir.file("p.txt") + " --lsqr 0 --laplacian 200").status,
              0);
    EXPECT_EQ(readText(dir.file("p.txt")).substr(0, 10), "   10.0000");   // the southern row first
    r = runCli("interpolate " + testData("grid.csv") + " " + dir.file("csv.txt") + " --rows 20 --columns 30 --lsqr 2");
    EXPECT_NE(r.out.find("number of points is:  400\n  \nminColumns is:  440750\n"), std::string::npos) << r.out;
    EXPECT_EQ(parseTextGrid(readText(dir.file("csv.txt")), 20, 30).valuesRead, 600u);
}

// A converged surface is a whole solution for a shapefile: no LSQR stage is needed. The harmonic
// surface keeps every drawn contour cell at its level and, by the maximum principle, stays between
// the lowest and the highest level.
TEST(Cli, AConvergedSurfaceInterpolatesAShapefileWithoutLsqr)
{
    TempDir dir;
    const std::string shp = testData("storml_contours_12.shp") + " ";
    ASSERT_EQ(runCli("convert " + shp + dir.file("drawn.txt") + " --maxspan 60").status, 0);
    const CliResult r = runCli("interpolate " + shp + dir.file("s.txt") +
                               " --maxspan 60 --lsqr 0 --refining 0 --surface harmonic");
    ASSERT_EQ(r.status, 0) << r.out;
    auto numbers = [](const std::string& text) {
        std::istringstream in(text);
        return std::vector<double>(std::istream_iterator<double>(in), std::istream_iterator<double>());
    };
    const std::vector<double> drawn = numbers(readText(dir.file("drawn.txt")));
    const std::vector<double> s = numbers(readText(dir.file("s.txt")));
    ASSERT_EQ(drawn.size(), s.size());
    double low = 1e9, high = -1e9;
    for (double v : drawn)
        if (v != 0.0) low = std::min(low, v), high = std::max(high, v);
    ASSERT_LT(low, high);
    for (std::size_t k = 0; k < s.size(); ++k) {
        if (drawn[k] != 0.0) ASSERT_NEAR(s[k], drawn[k], 1e-4) << k;
        ASSERT_TRUE(s[k] >= low - 1e-4 && s[k] <= high + 1e-4) << k << ": " << s[k];
    }
}

TEST(Cli, ConvertWritesThroughTheWindowsSavers)
{
    TempDir dir;
    writeText(dir.file("spot.ind"), "10 20 100\n11 22 105\n10 22 7\n");   // rows 10..11, columns 20..22, north first
    CliResult r = runCli("convert " + dir.file("spot.ind") + " " + dir.file("spot.elv"));
    EXPECT_NE(r.out.find("number of points is:  3\n"), std::string::npos);
    EXPECT_EQ(readText(dir.file("spot.elv")), "         2         3         1\n"
                                              "       100       255         7\n"
                                              "       255       255       105\n");
    ASSERT_EQ(runCli("convert " + dir.file("spot.elv") + " " + dir.file("spot.txt")).status, 0);
    EXPECT_EQ(readText(dir.file("spot.txt")), "  255.0000  255.0000  105.0000\n  100.0000  255.0000    7.0000\n");
    // A USGS DEM through the form's checks and defaults, read back scaled by Open's reader.
    writeText(dir.file("c.elv"), "3 2 1\n120 -179\n110 -189\n100 -199\n");
    r = runCli("convert " + dir.file("c.elv") + " " + dir.file("c.dem") +
               " --origin 500000 -4000000 --utm-zone 5 --datum NAS-C --units 2 3"
               " --spacing 12.5 --output-scale 3.28");
    EXPECT_NE(r.out.find(dir.file("c.dem") +
                         "\nbasexFloat is:  500000\nbaseyFloat is:  -4000000\nDatum is:  NAS-C\n"
                         "UTM Zone is:  5\nSpacing is:  12.5\nPlanimetric Units Code is:  2\n"
                         "Elevation Units Code is:  3\nOutput Scale Factor is:  3.28\n \nFile saved.\n"),
              std::string::npos)
        << r.out;
    ASSERT_EQ(runCli("convert " + dir.file("c.dem") + " " + dir.file("back.elv")).status, 0);
    EXPECT_EQ(readText(dir.file("back.elv")), "         3         2         1\n       393      -587\n"
                                              "       360      -619\n       327      -652\n");
}

TEST(Cli, Render3dSavesTheViewAndAStereoPair)
{
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "render3d needs an X server";
    TempDir dir;
    const std::string base = "render3d " + testData("crop_N49E011.hgt") + " ";
    const CliResult r = runCli(base + dir.file("v.jpg") + " --rotate-x -50 --azimuth 30 --size 200 150");
    EXPECT_TRUE(inOrder(r.out, {"Rows is:  101\nColumns is:  101\n", " \nSaved " + dir.file("v.jpg") + "\n"}));
    EXPECT_EQ(readBytes(dir.file("v.jpg")).at(0), 0xFF);
    ASSERT_EQ(runCli(base + dir.file("st.jpg") + " --stereo 5 --size 120 90").status, 0);
    EXPECT_GT(readBytes(dir.file("st_plus.jpg")).size(), 100u);
    EXPECT_GT(readBytes(dir.file("st_minus.jpg")).size(), 100u);
}

TEST(Cli, ResampleAveragesBlocks)
{
    TempDir dir;
    writeText(dir.file("g.elv"), "5 5 1\n1 1 1 1 1\n1 1 10 1 1\n1 30 99 40 1\n1 1 20 1 1\n1 1 1 1 1\n");
    ASSERT_EQ(runCli("resample " + dir.file("g.elv") + " " + dir.file("h.elv") + " --rate 2").status, 0);
    EXPECT_EQ(readText(dir.file("h.elv")),
              "         2         2         1\n         1         1\n         1        25\n");
}
