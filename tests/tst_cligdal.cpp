// gridmend-cli with rasters read and written through GDAL: GeoTIFFs through fill,
// interpolate and convert, and the program's own tiles converted to GeoTIFF. Every
// output is read back with GDAL itself, the reference for what the file says.
#include "app/core/Reporter.h"
#include "formats/SrtmHgt.h"
#include "CliRun.h"
#include "CropVoid.h"
#include "GdalView.h"
#include "TestFiles.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

/// GDAL reports the same coordinate system, geotransform (to the bit), size and nodata for both.
void expectSameGeoreference(const GdalView& original, const GdalView& out, const std::string& what,
                            bool sameNodata = true)
{
    ASSERT_TRUE(original.rows > 0 && out.rows > 0) << what;   // both opened
    EXPECT_TRUE(sameCrs(original.crs, out.crs)) << what << "\n" << original.crs << "\n" << out.crs;
    EXPECT_EQ(std::tuple(original.transform, original.rows, original.cols),
              std::tuple(out.transform, out.rows, out.cols))
        << what;
    if (!sameNodata) return;
    EXPECT_EQ(std::pair(original.hasNodata, original.hasNodata ? original.nodata : 0),
              std::pair(out.hasNodata, out.hasNodata ? out.nodata : 0)) << what;
}

} // namespace

// crop_N49E011_int16.tif (Int16, nodata -32768) and crop_N49E011_float32.tif (the same tenths of
// metres as Float32, nodata -9999): each command keeps what GDAL reports about the file, every known
// posting to the bit, and fills the void (or, converting, keeps it null).
TEST(CliGdal, GeoTiffKeepsItsGeoreferenceTypeAndKnownPostingsThroughEveryCommand)
{
    struct Row {
        const char* command;
        const char* input;
        const char* options;
        double low, high;
    };   // high: filled postings' range
    const Row rows[] = {
        {"fill", "crop_N49E011_int16.tif", " --lsqr 0 --laplacian 300 --refining 0", 540, 600},
        {"fill", "crop_N49E011_float32.tif", " --lsqr 20 --laplacian 100 --refining 2", 54, 60},
        {"interpolate", "crop_N49E011_float32.tif", " --lsqr 0 --laplacian 300", 54, 60},
        {"interpolate", "crop_N49E011_int16.tif", " --lsqr 0 --laplacian 300 --cog", 540, 600},
        {"convert", "crop_N49E011_float32.tif", "", 0, 0},
    };
    TempDir dir;
    for (const Row& row : rows) {
        const std::string what = std::string(row.command) + " " + row.input + row.options,
                          out = dir.file(std::to_string(&row - rows) + ".tif");
        const CliResult r = runCli(std::string(row.command) + " " + testData(row.input) + " " + out + row.options);
        ASSERT_EQ(r.status, 0) << what << "\n" << r.out;
        const GdalView in = gdalView(testData(row.input)), got = gdalView(out);
        expectSameGeoreference(in, got, what);
        const bool cog = std::string(row.options).find("--cog") != std::string::npos;
        EXPECT_EQ(std::tuple(got.type, got.compression, got.predictor, got.blockCols, got.layout,
                             std::filesystem::exists(out + ".part")),
                  std::tuple(in.type, "DEFLATE", in.type == "Float32" ? "3" : "2", 256, cog ? "COG" : "", false))
            << what;
        if (row.high == 0) {   // converted: the void stays null
            EXPECT_EQ(got.values, in.values) << what;
            continue;
        }
        SCOPED_TRACE(what);
        expectCropFilled([&](int r, int c) { return got.at(r, c); }, [&](int r, int c) { return in.at(r, c); },
                         row.low, row.high);
        bool fractionKept = false;
        for (int k = 0; k < 9; ++k) fractionKept |= std::fmod(got.at(44 + k / 3, 43 + k % 3), 1.0) != 0.0;
        EXPECT_EQ(fractionKept, in.type == "Float32") << "filled values truncated";
    }
}

// batch with rasters: each filled as fill fills it, into NAME_filled.tif; one that fails is skipped.
TEST(CliGdal, BatchFillsEachRasterAsFillDoes)
{
    TempDir dir;
    const std::string solver = " --lsqr 0 --laplacian 300 --refining 0", tif = dir.file("crop_N49E011_float32.tif");
    std::filesystem::copy_file(testData("crop_N49E011_float32.tif"), tif);
    const CliResult r = runCli("batch " + dir.file("missing.tif") + " " + tif + solver);
    EXPECT_EQ(std::pair(r.status, r.out.find("Finished processing file number:  2\n") != std::string::npos),
              std::pair(1, true));
    ASSERT_EQ(runCli("fill " + tif + " " + dir.file("f.tif") + solver).status, 0);
    EXPECT_EQ(readBytes(dir.file("crop_N49E011_float32_filled.tif")), readBytes(dir.file("f.tif")));
}

TEST(CliGdal, MaskAndOutputType)
{
    TempDir dir;
    const std::string in = testData("crop_N49E011_int16.tif");
    ASSERT_EQ(runCli("fill " + in + " " + dir.file("f.tif") + " --lsqr 0 --laplacian 50 --type Float64 --mask " +
                     dir.file("m.tif"))
                  .status,
              0);
    const GdalView mask = gdalView(dir.file("m.tif"));
    expectSameGeoreference(gdalView(in), mask, "mask", false);
    EXPECT_EQ(std::pair(gdalView(dir.file("f.tif")).type, mask.type),
              std::pair(std::string("Float64"), std::string("Byte")));
    for (int rr = 0; rr < mask.rows; ++rr)
        for (int c = 0; c < mask.cols; ++c) ASSERT_EQ(mask.at(rr, c), inCropVoid(rr, c) ? 1.0 : 0.0) << rr << "," << c;
}

// The program's own georeferenced tiles convert to GeoTIFFs on which GDAL reports the coordinate
// system and geotransform (to the bit), nodata and type it reports for the original file.
TEST(CliGdal, OwnTilesConvertWithTheGeoreferenceGdalReportsForThem)
{
    TempDir dir;
    // SRTM tiles take their corner from the name: built here at both sizes, with rows that differ.
    for (const auto& [name, side] : {std::pair{"N49E011.hgt", srtm::kTile3}, {"S12W077.hgt", srtm::kTile1}}) {
        IntGrid tile(side, side);
        for (int r = 0; r < side; ++r) tile(r, r) = r;
        NullReporter quiet;
        ASSERT_TRUE(writeSrtmTile(dir.file(name), tile, quiet));
        ASSERT_EQ(runCli("convert " + dir.file(name) + " " + dir.file("hgt.tif")).status, 0);
        const GdalView original = gdalView(dir.file(name)), got = gdalView(dir.file("hgt.tif"));
        expectSameGeoreference(original, got, name);
        EXPECT_EQ(std::pair(original.type, original.values), std::pair(got.type, got.values)) << name;
    }
    // Made here beside the header GDAL reads it by: an SRTM30 tile with its .hdr (the centre of the
    // north-west cell, 30 arc-second cells; 6000 x 4800 zeros) and .prj.
    const std::string srtm30 = dir.file("e020n40.dem");
    writeText(srtm30, "");
    std::filesystem::resize_file(srtm30, 6000u * 4800u * 2u);
    char hdr[400];
    std::snprintf(hdr, sizeof hdr,
                  "BYTEORDER M\nLAYOUT BIL\nNROWS 6000\nNCOLS 4800\nNBANDS 1\nNBITS 16\nNODATA -9999\n"
                  "ULXMAP %.17g\nULYMAP %.17g\nXDIM %.17g\nYDIM %.17g\n",
                  20 + 0.5 / 120, 40 - 0.5 / 120, 1 / 120.0, 1 / 120.0);
    writeText(dir.file("e020n40.hdr"), hdr);
    writeText(dir.file("e020n40.prj"), "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\","
                                       "6378137.0,298.257223563]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\","
                                       "0.0174532925199433]]");
    struct Row { std::string input, options; };
    const Row rows[] = {
        {testData("n43.dt0"), ""},                                        // DTED0, through the merge opener
        {testData("n00_e006_profiles670-677.dt1"), " --allow-partial"},   // DTED1 origin from its DSI record
        {testData("39109h1_truncated.dem"), ""},   // USGS DEM in UTM, profiles on the 10 m lattice
        // Profiles off the lattice (3 m north of it) and quadrangle corners beyond the profiles: the
        // raster spans the lattice rows around the corners, the profiles in their nearest rows.
        {testData("storml_elev_utm12.dem"), ""},
        // Geographic: the west edge is the quadrangle's, not the x the first profile records.
        {testData("4619old_truncated.dem"), ""},
        {testData("022gdeme_truncated"), ""},
        {srtm30, " --srtm30"},
    };
    for (const Row& row : rows) {
        ASSERT_EQ(runCli("convert " + row.input + " " + dir.file("o.tif") + row.options).status, 0) << row.input;
        const GdalView theirs = gdalView(row.input), ours = gdalView(dir.file("o.tif"));
        expectSameGeoreference(theirs, ours, row.input, false);
        // Every posting GDAL holds data for, in whole metres as the readers give them; null where it has none.
        ASSERT_EQ(theirs.values.size(), ours.values.size()) << row.input;
        for (std::size_t i = 0; i < theirs.values.size(); ++i) {
            if (!theirs.hasNodata || theirs.values[i] != theirs.nodata)
                ASSERT_LT(std::fabs(theirs.values[i] - ours.values[i]), 1.0) << row.input << " at " << i;
            else
                ASSERT_EQ(ours.values[i], ours.nodata) << row.input << " at " << i;
        }
    }
}
