// gridmend-cli run as a process, as a user runs it.
#include "formats/TextGrid.h"
#include "CliRun.h"
#include "formats/UsgsDemWriter.h"
#include "FormatSamples.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

TEST(Cli, InterpolateRelaxesATextGridAndWritesTheMatrix)
{
    TempDir dir;
    // 4 x 4, file order = south row first; corners known.
    writeText(dir.file("in.txt"), "40 0 0 40\n0 0 0 0\n0 0 0 0\n100 0 0 100\n");
    const CliResult r = runCli("interpolate " + dir.file("in.txt") + " " + dir.file("out.txt") +
                            " --rows 4 --columns 4 --lsqr 0 --laplacian 300 --refining 0");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Computing Initial Estimate\nDone interpolating file.\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("LSQR Iterations is:  0\nLaplacian Iterations is:  300\n"), std::string::npos);
    EXPECT_NE(r.out.find("File saved."), std::string::npos);
    const TextGridRead out = parseTextGrid(readText(dir.file("out.txt")), 4, 4);
    ASSERT_EQ(out.valuesRead, 16u);
    EXPECT_EQ(out.grid(0, 0), 40.0);
    EXPECT_EQ(out.grid(3, 3), 100.0);
    EXPECT_GT(out.grid(1, 1), 40.0);
    EXPECT_LT(out.grid(2, 2), 100.0);
    EXPECT_EQ(readText(dir.file("out.txt")).substr(0, 10), "   40.0000");
}

TEST(Cli, ExitStatusAndReasonOfEveryRefusal)
{
    TempDir dir;
    const std::string d = dir.file(""), crop = testData("crop_N49E011.hgt"), map = testData("contour_crop.bmp");
    writeText(d + "short.txt", "1 2 3");
    writeText(d + "g.txt", "40 0 0 40\n0 0 0 0\n0 0 0 0\n100 0 0 100\n");
    std::filesystem::create_directory(d + "folder.hgt");
    std::filesystem::create_symlink("/dev/full", d + "full.txt");
    const std::string grid = " --rows 4 --columns 4 --lsqr 0", dem = " --origin 500000 4000000 --utm-zone 5";
    struct Row {
        std::string args;
        int status;
        std::string says;   ///< in standard output or error; "" = anything
    };
    const Row rows[] = {
        {"interpolate " + d + "short.txt " + d + "o.txt" + grid, 1, "holds 3 numbers; rows x columns = 16"},
        {"interpolate " + d + "short.txt " + d + "o.txt --rows 4 --columns 4 --lsqr 2", 1, "holds 3 numbers"},
        {"interpolate " + d + "missing.txt " + d + "o.txt" + grid, 1, "could not open input file"},
        {"interpolate only-one-argument --rows 4 --columns 4", 2, "expected 2 arguments"},
        {"interpolate a b --rows 3 --columns 4 --lsqr 0", 2, ""},
        {"interpolate a b --rows x --columns 4", 2, ""},
        {"interpolate a b --columns 4", 2, ""},
        {"no-such-command", 2, "unknown command"},
        {"interpolate " + d + "g.txt " + d + "o.txt --rows 4 --columns 4 --lsqr 1000000000000", 2, "out of range"},
        {"fill " + crop + " " + d + "o.hgt --null 99999999999", 2, "--null 99999999999 is out of range"},
        {"fill " + crop + " " + d + "o.hgt --subset 2147483000 0 1000 10", 2, "must lie inside"},
        {"fill " + crop + " " + d + "o.hgt --subset 0 2147483000 10 1000", 2, "must lie inside"},
        {"fill " + d + "folder.hgt " + d + "o.hgt", 1, "folder.hgt is a folder, not a file"},
        {"convert " + d + " " + d + "o.txt", 1, "is a folder, not a file"},
        {"convert /dev/zero " + d + "o.txt", 1, "/dev/zero is a device"},
        {"fill " + crop + " /nonexistent-dir/o.hgt", 1, "No such file or directory"},
        {"fill " + crop + " " + d + "folder.hgt", 1, "folder.hgt is a folder, not a file"},
        {"interpolate " + d + "g.txt " + d + "full.txt" + grid, 1, "full.txt: No space left on device"},
        {"classify " + map + " " + d + "o.bmp --clusters 2147483647 --passes 1", 1, "pixels"},
        {"convert " + crop + " " + d + "o.dem" + dem + " --spacing 0", 2, "spacing"},
        {"convert " + crop + " " + d + "o.dem" + dem + " --spacing 1e300", 2, "spacing"},
        {"convert " + crop + " " + d + "o.dem" + dem + " --output-scale 1e300", 2, "scale factor"},
        {"convert " + crop + " " + d + "o.ter --terragen-scale 70000", 2, "between -32768 and 32767"},
    };
    for (const Row& row : rows) {
        const CliResult r = runCli(row.args, true);
        EXPECT_EQ(r.status, row.status) << row.args << "\n" << r.out;
        EXPECT_NE(r.out.find(row.says), std::string::npos) << row.args << "\n" << r.out;
        EXPECT_EQ(r.out.find("std::"), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("File saved."), std::string::npos) << row.args;
    }
    for (const char* name : {"o.hgt", "o.dem", "o.ter", "o.bmp", "o.txt"})
        EXPECT_FALSE(std::filesystem::exists(d + name)) << name;

    for (const std::string name : {"interpolate", "convert", "fill", "batch", "prepare", "classify", "patch",
                                   "resample", "render3d"}) {   // every command answers --help on standard output
        const CliResult r = runCli(name + " --help");
        EXPECT_EQ(r.status, 0) << name;
        EXPECT_EQ(r.out.rfind("usage: gridmend-cli " + name + " ", 0), 0u) << r.out;
    }
}

TEST(Cli, AFailedOrKilledWriteLeavesTheExistingFileWhole)
{
    TempDir dir;
    const std::string work = dir.file("N49E011.hgt");
    std::filesystem::copy_file(testData("crop_N49E011.hgt"), work);
    const auto before = readBytes(work);
    const std::string fill = "fill " + work + " " + work + " --lsqr 0 --laplacian 5";
    // The output (2.9 MB) exceeds the size limit: refused with the system's reason, or killed mid-write.
    const CliResult refused = runCli(fill, true, "ulimit -f 100; trap '' XFSZ; ");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find("could not open output file\n" + work + ": File too large\n"), std::string::npos)
        << refused.out;
    EXPECT_EQ(readBytes(work), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")), {}), 1);   // no temporary left
    EXPECT_NE(runCli(fill, false, "ulimit -f 100; ").status, 0);
    EXPECT_EQ(readBytes(work), before);
    ASSERT_EQ(runCli(fill).status, 0);   // and a whole write replaces it
    EXPECT_EQ(readBytes(work).size(), 2u * 1201 * 1201);
    std::filesystem::create_symlink(work, dir.file("link.hgt"));   // through a link: the link stays
    ASSERT_EQ(runCli("fill " + testData("crop_N49E011.hgt") + " " + dir.file("link.hgt") + " --lsqr 0").status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.hgt")));
    EXPECT_EQ(readBytes(work).size(), 2u * 1201 * 1201);
}

TEST(Cli, InterpolateWritesTheOutputFormatOfTheExtension)
{
    TempDir dir;
    writeText(dir.file("in.txt"), "40 0 0 40\n0 0 0 0\n0 0 0 0\n100 0 0 100\n");
    const std::string run = "interpolate " + dir.file("in.txt") + " ";
    const std::string opts = " --rows 4 --columns 4 --lsqr 0 --laplacian 300 --refining 0";
    CliResult r = runCli(run + dir.file("o.ter") + opts + " --terragen-scale 12");
    ASSERT_EQ(r.status, 0) << r.out;
    auto ter = readBytes(dir.file("o.ter"));
    ASSERT_EQ(ter.size(), 48u + 32u + 4u);
    EXPECT_EQ(ter[44], 12);
    // Row 3 (north-west) holds the maximum 100: 31999, as the single-precision slope and
    // intercept of range 60 fall just short of 32000.
    EXPECT_EQ(ter[48 + 2 * 12] | ter[49 + 2 * 12] << 8, 31999);
    EXPECT_EQ(ter[48] | ter[49] << 8, 0);
    EXPECT_NE(r.out.find("elevrange is:  60\n"), std::string::npos) << r.out;

    ASSERT_EQ(runCli(run + dir.file("o.bsq") + opts).status, 0);
    auto bsq = readBytes(dir.file("o.bsq"));
    ASSERT_EQ(bsq.size(), 32u);
    EXPECT_EQ(bsq[0], 100);   // the northern row first

    ASSERT_EQ(runCli(run + dir.file("g.tga") + opts + " --tga gray").status, 0);
    auto tga = readBytes(dir.file("g.tga"));
    ASSERT_EQ(tga.size(), 18u + 48u);
    EXPECT_EQ(tga[18], 0);   // south-west: the minimum
    r = runCli(run + dir.file("p.tga") + opts);
    EXPECT_NE(r.out.find("Slope value:  1092.25\n"), std::string::npos) << r.out;
    EXPECT_EQ(runCli(run + dir.file("x.tga") + opts + " --tga blue").status, 2);

    r = runCli(run + dir.file("o.bmp") + opts);
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("numberElevationRows is:  4\n"), std::string::npos);
    EXPECT_EQ(readBytes(dir.file("o.bmp")).size(), 54u + 4u * 12u);
}

TEST(Cli, Render3dSavesTheViewAndAStereoPair)
{
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "render3d needs an X server";
    TempDir dir;
    std::string text;
    for (int r = 0; r < 20; ++r) {
        for (int c = 0; c < 25; ++c) text += std::to_string(100 + r * 3 + (c % 5) * 2) + " ";
        text += "\n";
    }
    writeText(dir.file("s.txt"), text);
    const std::string base = "render3d " + dir.file("s.txt") + " ";
    CliResult r = runCli(base + dir.file("v.jpg") + " --rows 20 --columns 25 --rotate-x -50 --azimuth 30 --size 200 150");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Rows is:  20\nColumns is:  25\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" \nSaved " + dir.file("v.jpg") + "\n"), std::string::npos) << r.out;
    auto jpg = readBytes(dir.file("v.jpg"));
    ASSERT_GT(jpg.size(), 100u);
    EXPECT_EQ(jpg[0], 0xFF);
    r = runCli(base + dir.file("st.jpg") + " --rows 20 --columns 25 --stereo 5");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_GT(readBytes(dir.file("st_plus.jpg")).size(), 100u);
    EXPECT_GT(readBytes(dir.file("st_minus.jpg")).size(), 100u);
    // Every grid input the other commands read, through the same input code (a real tile here).
    const std::string tile = "render3d " + testData("crop_N49E011.hgt") + " " + dir.file("t.jpg");
    r = runCli(tile + " --size 120 90");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Rows is:  101\nColumns is:  101\n"), std::string::npos) << r.out;
    EXPECT_GT(readBytes(dir.file("t.jpg")).size(), 100u);
    EXPECT_EQ(runCli(tile + " --rows 101 --columns 101").status, 2);   // the size comes from the file
    EXPECT_EQ(runCli(base + dir.file("x.jpg")).status, 2);              // an ASCII matrix needs it
    EXPECT_EQ(runCli(base + dir.file("x.jpg") + " --rows 20 --columns 25 --azimuth 400").status, 2);
    EXPECT_EQ(runCli(base + dir.file("x.jpg") + " --rows 20 --columns 25 --stereo -3").status, 2);
}

TEST(Cli, InterpolateWithLsqrPrintsTheReportHeaderAndTheResultLines)
{
    TempDir dir;
    writeText(dir.file("in.txt"), "40 0 0 40\n0 0 0 0\n0 0 0 0\n100 0 0 100\n");
    const CliResult r = runCli("interpolate " + dir.file("in.txt") + " " + dir.file("out.txt") +
                            " --rows 4 --columns 4 --lsqr 3 --laplacian 50 --refining 0");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::vector<std::string> expected = {
        "opened file successfully\n \nnon zero nodes is:  4\nnumberRows is:  20\n \nComputing Initial Estimate\n",
        " \nComputing LSQR Solution\n"
        "  Least Squares Solution of A*x = b\n"
        "\tThe matrix A has      20 rows and      16 columns\n"
        "\tThe damping parameter is\tDAMP =   0.00e+00\n"
        "\tATOL =   1.00e-10\t\tCONDLIM =   1.00e+04\n"
        "\tBTOL =   1.00e-10\t\tITERLIM =          3\n\n"
        " \nTermination Flag is:   7\nNumber of Iterations is:   3\nSolution Norm is:   ",
        "CPU time is:  0\n \nDone.  View image or save solution to file.\n \nDone interpolating file.\n",
        "File saved.\n"};
    std::size_t at = 0;
    for (const std::string& part : expected) {
        const std::size_t found = r.out.find(part, at);
        ASSERT_NE(found, std::string::npos) << part << "\n--- in ---\n" << r.out;
        at = found + part.size();
    }
    const TextGridRead out = parseTextGrid(readText(dir.file("out.txt")), 4, 4);
    EXPECT_EQ(out.valuesRead, 16u);
    EXPECT_GT(out.grid(1, 1), 40.0);
    EXPECT_LT(out.grid(2, 2), 100.0);
}

TEST(Cli, InterpolatesCsvAndLasPoints)
{
    TempDir dir;
    CliResult r = runCli("interpolate " + testData("grid.csv") + " " + dir.file("csv.txt") +
                      " --rows 20 --columns 20 --lsqr 2 --laplacian 5");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("number of points is:  400\n  \nminColumns is:  440750\n"), std::string::npos) << r.out;
    EXPECT_EQ(parseTextGrid(readText(dir.file("csv.txt")), 20, 20).valuesRead, 400u);

    r = runCli("interpolate " + testData("autzen.las") + " " + dir.file("las.txt") +
               " --rows 10 --columns 12 --lsqr 2 --laplacian 5");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find(" Valid Little Endian LAS file\n"), std::string::npos);
    EXPECT_NE(r.out.find("number of points is:  106\n"), std::string::npos);
    EXPECT_EQ(parseTextGrid(readText(dir.file("las.txt")), 10, 12).valuesRead, 120u);

    // Points need at least one LSQR iteration; a file without points ends without a solution.
    EXPECT_EQ(runCli("interpolate " + testData("grid.csv") + " " + dir.file("x.txt") +
                     " --rows 20 --columns 20 --lsqr 0").status, 1);
    EXPECT_EQ(runCli("interpolate " + testData("no-points.las") + " " + dir.file("x.txt") +
                     " --rows 20 --columns 20 --lsqr 3").status, 1);
}

TEST(Cli, ConvertWritesThroughTheWindowsSavers)
{
    TempDir dir;
    // An index file: rows 10..11, columns 20..22 (north row first).
    writeText(dir.file("spot.ind"), "10 20 100\n11 22 105\n10 22 7\n");
    CliResult r = runCli("convert " + dir.file("spot.ind") + " " + dir.file("spot.elv"));
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("number of points is:  3\n"), std::string::npos);
    // The main window's saver after the solution-from-grid transfer: kind word 1, north row first.
    EXPECT_EQ(readText(dir.file("spot.elv")), "         2         3         1\n"
                                              "       100       255         7\n"
                                              "       255       255       105\n");
    // The ASCII matrix starts with the southern row, as a solution does.
    ASSERT_EQ(runCli("convert " + dir.file("spot.elv") + " " + dir.file("spot.txt")).status, 0);
    EXPECT_EQ(readText(dir.file("spot.txt")), "  255.0000  255.0000  105.0000\n  100.0000  255.0000    7.0000\n");
    // The graphics window's savers for the formats only it writes.
    ASSERT_EQ(runCli("convert " + dir.file("spot.elv") + " " + dir.file("spot.ind")).status, 0);
    EXPECT_EQ(readText(dir.file("spot.ind")).substr(0, 30), "0    0     100\n0    1     255\n");
    // A picture as the main window's grey 2-D picture of the transferred grid.
    CliResult bmp = runCli("convert " + testData("contour_crop.jpg") + " " + dir.file("map.bmp"));
    ASSERT_EQ(bmp.status, 0);
    EXPECT_NE(bmp.out.find("numberElevationRows is:  90\nnumberElevationColumns is:  120\n"), std::string::npos);
    EXPECT_EQ(readBytes(dir.file("map.bmp")).size(), 54u + 90u * 360u);
}

TEST(Cli, ConvertRefusesWhatItCannotReadOrWrite)
{
    TempDir dir;
    writeText(dir.file("a.elv"), "1 1 0\n5\n");
    EXPECT_EQ(runCli("convert " + dir.file("a.elv") + " " + dir.file("a.xyz")).status, 2);
    EXPECT_EQ(runCli("convert " + dir.file("a.txt") + " " + dir.file("a.elv")).status, 2);   // read at Run
    EXPECT_EQ(runCli("convert " + dir.file("N45W123.hgt") + " " + dir.file("a.elv")).status, 1);   // missing
    EXPECT_EQ(runCli("convert /tiles/N45W123.HGT " + dir.file("a.elv")).status, 2);
    writeText(dir.file("bad.elv"), "0 0 1\n");
    const CliResult r = runCli("convert " + dir.file("bad.elv") + " " + dir.file("b.txt"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Failed to open elevation file."), std::string::npos);
}

TEST(Cli, InterpolatesGridInputsAsInputDataHandsThemOver)
{
    TempDir dir;
    // A contour array: 255 is unknown; the corners are known.
    writeText(dir.file("c.elv"), "4 4 0\n100 255 255 100\n255 255 255 255\n255 255 255 255\n40 255 255 40\n");
    CliResult r = runCli("interpolate " + dir.file("c.elv") + " " + dir.file("c_out.elv") +
                      " --lsqr 0 --laplacian 300 --refining 0");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("LSQR Iterations is:  0\n"), std::string::npos);
    EXPECT_EQ(r.out.find("number of rows is:"), std::string::npos);   // the four-box form
    const std::string out = readText(dir.file("c_out.elv"));
    EXPECT_EQ(out.substr(0, 31), "         4         4         1\n");
    EXPECT_EQ(out.substr(31, 10), "       100");   // north-up, as read
    EXPECT_EQ(out.substr(31 + 3 * 41, 10), "        40");

    writeText(dir.file("p.ind"), "0 0 50\n0 5 50\n5 0 10\n5 5 10\n");
    r = runCli("interpolate " + dir.file("p.ind") + " " + dir.file("p.txt") + " --lsqr 0 --laplacian 200");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(readText(dir.file("p.txt")).substr(0, 10), "   10.0000");   // the southern row first

    EXPECT_EQ(runCli("interpolate " + dir.file("c.elv") + " x.elv --rows 4 --columns 4 --lsqr 0").status, 2);
    EXPECT_EQ(runCli("interpolate " + dir.file("c.elv") + " x.ind --lsqr 0").status, 2);   // no solution saver
}

TEST(Cli, WritesUsgsDemsThroughTheFormsChecks)
{
    TempDir dir;
    writeText(dir.file("c.elv"), "3 2 1\n120 -179\n110 -189\n100 -199\n");
    const std::string convert = "convert " + dir.file("c.elv") + " ";
    CliResult r = runCli(convert + dir.file("c.dem") + " --origin 500000 -4000000 --utm-zone 5 --datum NAS-C --units 2 3"
                      " --spacing 12.5 --output-scale 3.28");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find(dir.file("c.dem") + "\nbasexFloat is:  500000\nbaseyFloat is:  -4000000\nDatum is:  NAS-C\n"
                         "UTM Zone is:  5\nSpacing is:  12.5\nPlanimetric Units Code is:  2\n"
                         "Elevation Units Code is:  3\nOutput Scale Factor is:  3.28\n \nFile saved.\n"),
              std::string::npos) << r.out;
    RealGrid solution(3, 2);   // the elevation array's rows, south row first
    const double values[3][2] = {{100, -199}, {110, -189}, {120, -179}};
    for (int row = 0; row < 3; ++row)
        for (int c = 0; c < 2; ++c) solution(row, c) = values[row][c];
    EXPECT_EQ(readText(dir.file("c.dem")), formatUsgsAsciiDem({"NAS-C", 500000, -4000000, 5, 12.5, 2, 3, 3.28f}, solution));

    // Read back by Open's reader: the scaled values, north row first.
    ASSERT_EQ(runCli("convert " + dir.file("c.dem") + " " + dir.file("back.elv")).status, 0);
    EXPECT_EQ(readText(dir.file("back.elv")), "         3         2         1\n       393      -587\n"
                                              "       360      -619\n       327      -652\n");

    // The form's defaults stand for the options not given; its refusals are usage errors.
    ASSERT_EQ(runCli(convert + dir.file("d.dem") + " --origin 500000 4000000 --utm-zone 5").status, 0);
    EXPECT_EQ(readText(dir.file("d.dem")), formatUsgsAsciiDem({"NAD-83", 500000, 4000000, 5, 30, 2, 2, 1.0f}, solution));
    EXPECT_EQ(runCli(convert + dir.file("e.dem") + " --origin 500000 4000000").status, 2);                   // no zone
    EXPECT_EQ(runCli(convert + dir.file("e.dem") + " --origin 100000 4000000 --utm-zone 5").status, 2);      // easting
    EXPECT_EQ(runCli(convert + dir.file("e.dem") + " --origin 500000 4000000 --utm-zone 61").status, 2);
    EXPECT_EQ(runCli(convert + dir.file("e.dem") + " --origin 500000 4000000 --utm-zone 5 --units 2 12").status, 2);
    EXPECT_EQ(runCli(convert + dir.file("e.dem") + " --origin 5e5 4000000 --utm-zone 5").status, 2);
    EXPECT_EQ(runCli(convert + dir.file("e.txt") + " --utm-zone 5").status, 2);   // not a USGS DEM output
    EXPECT_FALSE(std::filesystem::exists(dir.file("e.dem")));
    r = runCli(convert + "/nonexistent-dir/f.dem --origin 500000 4000000 --utm-zone 5", true);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("/nonexistent-dir: No such file or directory"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("File saved."), std::string::npos);

    // A real USGS DEM written by another program, as an ASCII matrix (the southern row first).
    ASSERT_EQ(runCli("convert " + testData("storml_elev_utm12.dem") + " " + dir.file("storml.txt")).status, 0);
    EXPECT_EQ(readText(dir.file("storml.txt")).substr(0, 10), " 2807.0000");
}

TEST(Cli, ReadsAsterDemsAndErTiles)
{
    TempDir dir;
    HdfLayout layout;
    layout.rows = 2000, layout.cols = 2300;
    layout.sample = [](std::vector<std::uint8_t>& out, std::size_t i) {
        put16(out, std::uint32_t(std::int32_t(i / 2300) - std::int32_t(i % 2300)) & 0xFFFF);
    };
    writeBytes(dir.file("tile.hdf"), hdfFile(layout).bytes);
    CliResult r = runCli("convert " + dir.file("tile.hdf") + " " + dir.file("tile.bsq"));
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Length Check\t\t\tOK\nDone\n  \nGenerating ASTER image.\n"), std::string::npos);
    const auto bsq = readBytes(dir.file("tile.bsq"));
    ASSERT_EQ(bsq.size(), 2000u * 2300u * 2u);
    EXPECT_EQ(bsq[2 * 5] | bsq[2 * 5 + 1] << 8, 0xFFFB);   // -5: the first row of the data set, north first

    writeBytes(dir.file("aus_dem_erm"), erTileFromRealBlock());
    r = runCli("convert " + dir.file("aus_dem_erm") + " " + dir.file("er.bsq") + " --corner -35 148");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Latitude is:  -35\nLongitude is:  148\nopened file successfully\n"), std::string::npos);
    const auto er = readBytes(dir.file("er.bsq"));
    ASSERT_EQ(er.size(), 401u * 601u * 2u);
    EXPECT_EQ(er[2 * (8 * 601 + 14)], 38);
    EXPECT_EQ(runCli("convert " + dir.file("aus_dem_erm") + " " + dir.file("er2.bsq")).status, 2);   // no corner
    EXPECT_EQ(runCli("convert " + dir.file("aus_dem_erm") + " x.bsq --corner -35 east").status, 2);
    EXPECT_EQ(runCli("convert " + dir.file("tile.hdf") + " x.bsq --corner -35 148").status, 2);   // not an ER tile
}

TEST(Cli, InterpolatesAndDrawsShapefiles)
{
    TempDir dir;
    for (const char* ext : {".shp", ".shx", ".dbf"})
        std::filesystem::copy_file(testData(std::string("storml_contours_12") + ext), dir.file(std::string("lines") + ext));
    const std::string shp = dir.file("lines.shp");
    CliResult r = runCli("interpolate " + shp + " " + dir.file("out.txt") + " --lsqr 2 --maxspan 60");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("MAXSPAN is:  60\nindexFileBuffer is: " + dir.file("lines.shx")), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Non zero nodes is:  "), std::string::npos);
    EXPECT_NE(r.out.find("File saved."), std::string::npos);

    // The drawn grid itself: contour elevations on the lines, 0 elsewhere.
    r = runCli("convert " + shp + " " + dir.file("drawn.txt") + " --maxspan 60");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("scaledRows is:  "), std::string::npos);
    const std::string drawn = readText(dir.file("drawn.txt"));
    EXPECT_NE(drawn.find("    0.0000"), std::string::npos);
    EXPECT_NE(drawn.find("0.0000 2"), std::string::npos);   // an elevation above 2000 m after a 0

    EXPECT_EQ(runCli("interpolate " + shp + " o.txt --lsqr 2 --rows 10 --columns 10").status, 2);
    EXPECT_EQ(runCli("interpolate " + shp + " o.txt --lsqr 2 --maxspan x").status, 2);
    EXPECT_EQ(runCli("convert " + shp + " " + dir.file("o.ind")).status, 2);   // the drawn grid is a solution
    EXPECT_EQ(runCli("interpolate " + testData("storml_elev_utm12.dem") + " o.txt --maxspan 60").status, 2);
    EXPECT_EQ(runCli("interpolate " + shp + " " + dir.file("o.txt") + " --lsqr 0").status, 1);   // Run needs LSQR

    auto bad = readBytes(shp);
    bad[2] = 0x12;
    writeBytes(shp, bad);
    r = runCli("interpolate " + shp + " " + dir.file("bad.txt") + " --lsqr 2 --maxspan 60");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("This does not look like a proper .shp file.\nExiting.\n"), std::string::npos) << r.out;
}
