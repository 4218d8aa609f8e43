// A contour map sheet to a DEM through the windows, as a user does it: "&Open"
// of the map picture, a pixel query and "Filter Data Entry" with "Load Values"
// to keep the contour ink, "Binarize", "Thin" until the lines stop changing,
// "Despeckle 8 Bit", "Delete Short Segments", "Connect Lines", tagging each
// contour by a click with the "Elevation Control Panel", "Input Data" and
// "Run Gridmend". The DEM must hold each contour's tag along the whole line.
//
// The map is drawn as a printed sheet shows it: brown contour lines three
// pixels wide with gaps for their labels and a few brown specks.
#include "GraphicsWindowFixture.h"
#include "GridArt.h"
#include "formats/Bmp.h"
#include "graphics/ElevationControlPanel.h"
#include "graphics/MapTools.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QRadioButton>
#include <cmath>

namespace {

constexpr int kWidth = 360, kHeight = 260, kContours = 4;
constexpr std::uint32_t kPaper = 0xFFFCF0, kBrown = 0x8B4513;
constexpr std::int32_t kTags[kContours] = {560, 540, 520, 500};
constexpr int kLabelX[kContours] = {90, 170, 90, 170};

double contourY(int k, double x) { return 45 + 55 * k + 12 * std::sin(x / 45.0 + 0.8 * k); }

QImage drawMap()
{
    QImage map(kWidth, kHeight, QImage::Format_RGB32);
    map.fill(QColor(QRgb(kPaper)));
    QPainter p(&map);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int k = 0; k < kContours; ++k) {
        QPolygonF line;
        for (int x = -2; x <= kWidth + 2; x += 2) line << QPointF(x, contourY(k, x));
        p.setPen(QPen(QColor(QRgb(kBrown)), 3, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.drawPolyline(line);
        QRect gap(0, 0, 20, 14);   // the gap left for the label
        gap.moveCenter(QPoint(kLabelX[k], int(std::lround(contourY(k, kLabelX[k])))));
        p.fillRect(gap, QColor(QRgb(kPaper)));
    }
    p.end();
    for (auto [x, y] : {std::pair{30, 120}, {250, 150}, {130, 240}, {20, 20}}) map.setPixel(x, y, kBrown);
    map.setPixel(251, 150, kBrown);
    return map;
}

/// The line pixel of elevationArray nearest to the drawn centre of contour k at column x, or -1.
int lineRowNear(const IntGrid& a, int k, int x)
{
    const int centre = int(std::lround(contourY(k, x)));
    for (int d = 0; d <= 4; ++d)
        for (int r : {centre - d, centre + d})
            if (r >= 0 && r < a.rows() && a(r, x) != 255) return r;
    return -1;
}

struct MapToDem : GraphicsWindowFixture {
    ElevationControlPanel& panel = *g.findChild<MapTools*>("mapTools")->windows().elevationPanel;
};

} // namespace

TEST_F(MapToDem, DrawnMapSheetBecomesADemHoldingEachContoursTag)
{
    TempDir dir;
    const QImage drawn = drawMap();
    const auto pixels = gridBy(kHeight, kWidth, [&](int y, int x) { return drawn.pixel(x, y) & 0xFFFFFFu; });
    RecordingReporter quiet;
    ASSERT_TRUE(writeColourBmp(dir.file("sheet.bmp"), pixels, quiet));

    // Open the sheet.
    open(dir.file("sheet.bmp"));

    // Keep the contour ink: query a contour pixel, load the history into the value filter.
    trigger("actionQueryPixelEnabled");
    click(30, int(std::lround(contourY(0, 30))));
    trigger("actionQueryPixelDisabled");
    modals.answer = [](QDialog& d) {
        d.findChild<QPushButton*>("loadValuesButton")->click();   // brown, then black in the other 15
        return fill(d, {});
    };
    trigger("actionFilterValues");

    modals.answer = [](QDialog& d) { return fill(d, {{"backgroundColorEdit", "0xffffff"}}); };
    trigger("actionBinarize");

    for (IntGrid before; before != model.elevationArray;) {
        before = model.elevationArray;
        trigger("actionThin");
    }

    trigger("actionDespeckle8Bit");
    answerWith({{"pixelLimitEdit", "40"}});
    trigger("actionDeleteShortSegments");
    // The whole square around each end is searched, so the ends across a label gap meet.
    modals.answer = [](QDialog& d) {
        d.findChild<QRadioButton*>("farthestFirstRadio")->setChecked(true);
        return fill(d, {{"searchRadiusEdit", "28"}});
    };
    const IntGrid unconnected = model.elevationArray;
    trigger("actionConnectLines");
    QTRY_VERIFY(model.elevationArray != unconnected);   // the connect worker has handed the work over

    // Tag the contours from the top down: 560, 540, 520, 500.
    trigger("actionTagSetElevation");
    panel.elevationEdit()->setText(QString::number(kTags[0]));
    panel.incrementEdit()->setText("-20");
    panel.findChild<QPushButton*>("submitButton")->click();
    panel.findChild<QRadioButton*>("tagEnabledRadio")->click();
    for (int k = 0; k < kContours; ++k) {
        click(230, lineRowNear(model.elevationArray, k, 230));
    }

    // Every contour is whole and carries its tag; nothing else is left on the sheet.
    const IntGrid tagged = model.elevationArray;
    for (int k = 0; k < kContours; ++k)
        for (int x = 3; x < kWidth - 3; x += 3) {
            const int r = lineRowNear(tagged, k, x);
            ASSERT_GE(r, 0) << "contour " << k << " column " << x;
            EXPECT_EQ(tagged(r, x), kTags[k]) << "contour " << k << " column " << x;
        }
    EXPECT_EQ(std::ranges::count_if(tagged.cells(), [](std::int32_t v) { return v != 255 && (v < 500 || v > 560); }),
              0);

    // "Input Data" and "Run Gridmend": the relaxation alone, without refining sweeps, keeps the
    // tagged postings.
    modals.answer = [](QDialog& d) {
        return fill(d, {{"lsqrEdit", "0"}, {"laplacianEdit", "4000"}, {"refiningEdit", "0"}});
    };
    trigger("actionInputData");
    m.action("actionRunGridmend")->trigger();
    ASSERT_TRUE(m.session().solutionGrid);
    const RealGrid& dem = *m.session().solutionGrid;   // south row first
    for (int k = 0; k < kContours; ++k)
        EXPECT_EQ(dem(kHeight - 1 - lineRowNear(tagged, k, 230), 230), kTags[k]) << "contour " << k;
}
