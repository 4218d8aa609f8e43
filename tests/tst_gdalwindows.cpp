// A GeoTIFF (the Int16 crop of N49E011 made with gdal_translate) through the windows:
// "&Open" as a tile with the readout in its own coordinates, "Input Data", Run with its
// write-back, and "Save GeoTIFF" from both windows, read back with GDAL.
#include "CropVoid.h"
#include "GdalView.h"
#include "SrtmWindowFixture.h"

#include <QLabel>
#include <tuple>

namespace {

/// GDAL reports the same description for both, and the crop filled.
void expectRepairedCopy(const GdalView& original, const GdalView& saved)
{
    ASSERT_EQ(std::pair(saved.rows, saved.cols), std::pair(original.rows, original.cols));
    EXPECT_EQ(std::tuple(saved.type, saved.nodata, saved.transform, saved.crs),
              std::tuple(original.type, original.nodata, original.transform, original.crs));
    expectCropFilled([&](int r, int c) { return saved.at(r, c); }, [&](int r, int c) { return original.at(r, c); });
}

} // namespace

TEST_F(SrtmWindowFixture, GeoTiffOpensAsATileAndSavesRepairedWithItsGeoreference)
{
    const std::string tif = testData("crop_N49E011_int16.tif");
    const GdalView original = gdalView(tif);
    open(tif);
    // The readout in the raster's coordinates: 11.4245833 + 50 x 1/1200 and 49.5170833 - 50 x 1/1200.
    moveMouse(g.pictureView(), QPoint(50, 50));
    auto label = [&](const char* name) { return m.findChild<QLabel*>(name)->text(); };
    EXPECT_EQ((QStringList{label("longitudeValue"), label("latitudeValue"), label("elevationValue")}),
              (QStringList{"11.466", "49.475", QString::number(original.values[50 * 101 + 50], 'f', 2)}));

    trigger("actionInputData");
    m.action("actionRunGridmend")->trigger();

    TempDir dir;
    answered(g.action("actionSaveGeoTiff"), dir.file("graphics.tif"));
    expectRepairedCopy(original, gdalView(dir.file("graphics.tif")));
    answered(m.action("actionSaveGeoTiff"), dir.file("main.tif"));
    expectRepairedCopy(original, gdalView(dir.file("main.tif")));
}
