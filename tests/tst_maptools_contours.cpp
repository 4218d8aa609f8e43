// "Connect Lines" and the "Elevation Control Panel" driven through the graphics
// window's menus, dialogs and clicks on the picture.
#include "GraphicsWindowFixture.h"
#include "GridArt.h"
#include "graphics/ElevationControlPanel.h"
#include "graphics/GraphicsDialogs.h"
#include "graphics/MapTools.h"

#include <QLabel>
#include <QRadioButton>
#include <QTimer>
#include <QThread>

namespace {

struct ContourTools : GraphicsWindowFixture {
    MapTools& tools = *g.findChild<MapTools*>("mapTools");
    ElevationControlPanel& panel = *tools.windows().elevationPanel;

    /// Loads a line-code picture ('#' black ink on white) and binarises it through the menu.
    void loadBinarised(const std::vector<std::string>& rows)
    {
        load(gridFromArt(rows, kInk));
        modals.answer = [](QDialog& d) { return fill(d, {}); };
        trigger("actionBinarize");
        modals.shown.clear();
        modals.answer = nullptr;
    }
    std::vector<std::string> lineCode() const { return artFromGrid(model.elevationArray, kLineCode); }
};

bool redOnDisplay(const GraphicsModel& g)
{
    for (std::uint32_t p : g.display.cells())
        if ((p & 0xFFFFFF) != 0xFFFFFF && (p & 0xFF0000) > 0x800000 && (p & 0xFF00) < 0x8000) return true;
    return false;
}

} // namespace

TEST_F(ContourTools, ConnectLinesRunsOnTheUserInterfaceThreadAfterTheDialogCloses)
{
    std::vector<std::string> rows(12, std::string(16, '.'));
    rows[6] = "..#####..#####..";   // two line ends 3 pixels apart
    loadBinarised(rows);
    answerWith({{"searchRadiusEdit", "0"}});
    trigger("actionConnectLines");
    EXPECT_EQ(modals.shown,
              (QStringList{"Search Radius Data Entry", "Error!: Pixel search radius must be >0 and <100"}));

    // "Seek Farthest First" with radius 3: the worker hands the work to this thread.
    Qt::HANDLE ranOn = nullptr;
    modals.answer = [&](QDialog& d) {
        d.findChild<QRadioButton*>("farthestFirstRadio")->setChecked(true);
        const int result = fill(d, {{"searchRadiusEdit", "3"}});
        EXPECT_EQ(lineCode()[6], "..#####..#####..");   // nothing yet: the work waits for the event loop
        return result;
    };
    model.hooks.changed = [&, chained = model.hooks.changed] {
        ranOn = QThread::currentThreadId();
        if (chained) chained();
    };
    trigger("actionConnectLines");
    QTRY_COMPARE(lineCode()[6], std::string("..############.."));
    EXPECT_EQ(ranOn, QThread::currentThreadId());
}

TEST_F(ContourTools, ElevationControlPanelDrivesTaggingByClicks)
{
    std::vector<std::string> rows(30, std::string(40, '.'));
    rows[12] = rows[20] = std::string(40, '#');
    rows[25][10] = '#';
    loadBinarised(rows);
    trigger("actionTagSetElevation");
    panel.elevationEdit()->setText("500");
    panel.findChild<QPushButton*>("submitButton")->click();
    auto values = [&] { return std::pair(panel.currentValue()->text(), panel.previousValue()->text()); };
    EXPECT_EQ(values(), std::pair(QString("500"), QString("520")));
    panel.findChild<QRadioButton*>("tagEnabledRadio")->click();

    // Successive left clicks tag 500 and 480; the picture shows the elevation in red until the timer ticks.
    click(5, 13);   // one below the first line: the candidate above is on it
    EXPECT_TRUE(redOnDisplay(model) && g.overlayTimer()->isActive());
    click(5, 21);
    EXPECT_EQ(values(), std::pair(QString("460"), QString("480")));
    QTRY_VERIFY(!g.overlayTimer()->isActive());
    EXPECT_FALSE(redOnDisplay(model));
    EXPECT_EQ(cellsAt(model.elevationArray, {{12, 0}, {12, 39}, {20, 0}, {20, 39}}), (std::vector{500, 500, 480, 480}));
}
