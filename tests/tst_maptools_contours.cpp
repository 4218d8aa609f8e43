// Line cleaning, contour tagging with the "Elevation Control Panel", the
// elevation query, the digitiser and elevation drawing, driven through the
// graphics window's menus, dialogs and clicks on the picture.
#include "GraphicsWindowFixture.h"
#include "GridArt.h"
#include "graphics/ElevationControlPanel.h"
#include "graphics/GraphicsDialogs.h"
#include "graphics/MapTools.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QThread>
#include <QTimer>

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
    /// Elevations along a row, background '.'.
    std::string valuesAt(int row) const
    {
        std::string s;
        for (int c = 0; c < model.imageColumns(); ++c) {
            const std::int32_t v = model.elevationArray(row, c);
            s += v == 255 ? std::string(".") : std::to_string(v) + " ";
        }
        return s;
    }
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
    answerWith({{"searchRadiusEdit", "100"}});
    trigger("actionConnectLines");
    const QString error = "Error!: Pixel search radius must be >0 and <100";
    EXPECT_EQ(modals.shown, (QStringList{"Search Radius Data Entry", error, "Search Radius Data Entry", error}));

    // "Seek Closest First" reaches trunc(3 x 5/6) = 2 cells: the ends stay apart.
    modals.answer = [](QDialog& d) {
        EXPECT_TRUE(d.findChild<QRadioButton*>("closestFirstRadio")->isChecked());
        EXPECT_EQ(d.findChild<QRadioButton*>("farthestFirstRadio")->text(), "Seek Farthest First");
        return fill(d, {{"searchRadiusEdit", "3"}});
    };
    trigger("actionConnectLines");
    QTest::qWait(50);
    EXPECT_EQ(lineCode()[6], "..#####..#####..");

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
    trigger("actionUndo");
    EXPECT_EQ(lineCode()[6], "..#####..#####..");
}

TEST_F(ContourTools, DeleteShortSegmentsKeepsLinesOfThePixelLimit)
{
    std::vector<std::string> rows(5, std::string(40, '.'));
    for (int c = 1; c < 6; ++c) rows[1][c] = '#';     // 5 pixels
    for (int c = 1; c < 39; ++c) rows[3][c] = '#';    // 38 pixels
    loadBinarised(rows);
    answerWith({{"pixelLimitEdit", "0"}});
    trigger("actionDeleteShortSegments");
    EXPECT_EQ(modals.shown, (QStringList{"Pixel Limit Data Entry Form", "Error!: Pixel Limit must be greater than zero!"}));
    modals.answer = [](QDialog& d) {
        EXPECT_EQ(d.findChild<QLineEdit*>("pixelLimitEdit")->text(), "0");
        bool heading = false;
        for (const QLabel* l : d.findChildren<QLabel*>()) heading |= l->text() == "Set the line length in pixels to keep";
        EXPECT_TRUE(heading);
        return fill(d, {{"pixelLimitEdit", "6"}});
    };
    trigger("actionDeleteShortSegments");
    EXPECT_EQ(lineCode()[1], std::string(40, '.'));
    EXPECT_EQ(lineCode()[3].substr(0, 3), ".##");
    EXPECT_EQ(model.display(1, 2), 0xFFFFFFFFu);   // shown grey
    EXPECT_EQ(model.display(3, 2), 0xFF000000u);
}

TEST_F(ContourTools, RemoveWebFloodsTheClickedColourAndClipTextBlanksTheDraggedBox)
{
    load(gridFromArt<std::int32_t>({"#.#.....",
                                    "###.....",
                                    "#.#..#..",
                                    "........"}, kInk));
    trigger("actionRemoveWebEnabled");
    int before = logSize();
    click(1, 0);   // white: missed
    EXPECT_EQ(logSince(before), QStringList{"Missed line."});
    click(2, 0);   // (QTest takes the point (0, 0) for the middle of the picture)
    EXPECT_EQ(artFromGrid(model.imageArray, kInk), (std::vector<std::string>{"........", "........", ".....#..",
                                                                             "........"}));
    trigger("actionUndo");
    trigger("actionRemoveWebDisabled");
    click(2, 0);
    EXPECT_EQ(model.imageArray(0, 2), 0);

    // Clip Text at zoom 2: corners (4, 2) and (12, 6) on screen are rows 1 .. 2 and columns 2 .. 5.
    loadBinarised({"########", "########", "########", "########"});
    trigger("actionZoomIn");
    trigger("actionClipTextEnabled");
    drag({4, 2}, {12, 6});
    EXPECT_EQ(lineCode(), (std::vector<std::string>{"########", "##....##", "##....##", "########"}));
    EXPECT_EQ(model.imageArray(1, 3), 0xFFFFFF);
    drag({4, 2}, {4, 9});   // zero width
    EXPECT_EQ(modals.shown.last(), "Error!: Bounding  box must have non zero area!\nHold down mouse button and drag the\n"
                                   "rubber band box.");
    trigger("actionClipTextDisabled");
    drag({2, 2}, {12, 6});
    EXPECT_EQ(lineCode()[0], "########");
}

TEST_F(ContourTools, ElevationControlPanelDrivesTaggingByClicks)
{
    std::vector<std::string> rows(30, std::string(40, '.'));
    rows[12] = rows[20] = std::string(40, '#');
    rows[25][10] = '#';
    loadBinarised(rows);
    // "Set Elevation" shows the panel with tagging and the query off.
    model.tagMode = model.showElevationEnabled = true;
    trigger("actionTagSetElevation");
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.windowTitle(), "Elevation Control Panel");
    EXPECT_FALSE(model.tagMode || model.showElevationEnabled);
    EXPECT_TRUE(panel.findChild<QRadioButton*>("tagDisabledRadio")->isChecked());
    EXPECT_EQ(panel.incrementEdit()->text(), "-20");
    EXPECT_TRUE(panel.autoIncrementCheck()->isChecked());
    EXPECT_EQ(panel.currentValue()->text(), "Submit!");

    // Out of range, empty and non-integer elevations are refused.
    for (const char* text : {"30001", "-1001", ""}) {
        panel.elevationEdit()->setText(text);
        panel.findChild<QPushButton*>("submitButton")->click();
    }
    panel.elevationEdit()->setText("5x");
    panel.findChild<QPushButton*>("submitButton")->click();
    const QString range = "Error!: Elevation values must be between -1000 and 30000.  \nPlease try again!";
    EXPECT_EQ(modals.shown, (QStringList{range, range, range, "Conversion Error: Text box entry must be an integer!"}));
    EXPECT_EQ(panel.currentValue()->text(), "Submit!");

    panel.elevationEdit()->setText("500");
    panel.findChild<QPushButton*>("submitButton")->click();
    EXPECT_EQ(panel.currentValue()->text(), "500");
    EXPECT_EQ(panel.previousValue()->text(), "520");
    panel.findChild<QRadioButton*>("tagEnabledRadio")->click();
    EXPECT_TRUE(model.tagMode && model.elevationMode);

    // Successive left clicks tag 500 and 480; the picture shows the elevation in red until the timer ticks.
    click(5, 13);   // one below the first line: the candidate above is on it
    EXPECT_TRUE(redOnDisplay(model));
    EXPECT_TRUE(g.overlayTimer()->isActive());
    click(5, 21);
    EXPECT_EQ(panel.currentValue()->text(), "460");
    EXPECT_EQ(panel.previousValue()->text(), "480");
    QTRY_VERIFY(!g.overlayTimer()->isActive());
    EXPECT_FALSE(redOnDisplay(model));
    EXPECT_EQ(model.display(12, 0), 0xFF000000u | elevationColour(500));
    EXPECT_EQ(valuesAt(12).substr(0, 8), "500 500 ");
    EXPECT_EQ(valuesAt(20).substr(0, 8), "480 480 ");

    // A right click tags with the previous elevation again and leaves the current one where it was.
    click(10, 25, Qt::RightButton);
    EXPECT_EQ(model.elevationArray(25, 10), 480);
    EXPECT_EQ(model.tagging.currentElevation, 460);
    // A click that finds no line changes nothing.
    const IntGrid tagged = model.elevationArray;
    click(35, 27);
    EXPECT_EQ(model.elevationArray, tagged);
    EXPECT_EQ(model.tagging.currentElevation, 460);

    // "Reload Last" steps back to the last tag; "Resume" returns to the value saved by it.
    panel.findChild<QPushButton*>("reloadLastButton")->click();
    EXPECT_EQ(panel.elevationEdit()->text(), "480");
    EXPECT_EQ(model.tagging.currentElevation, 480);
    model.tagging.currentElevation = 100;
    panel.findChild<QPushButton*>("resumeButton")->click();
    EXPECT_EQ(panel.elevationEdit()->text(), "460");

    // Without "Auto Increment" the elevation stays.
    panel.autoIncrementCheck()->setChecked(false);
    panel.elevationEdit()->setText("300");
    panel.findChild<QPushButton*>("submitButton")->click();
    click(5, 13);
    click(5, 21);
    EXPECT_EQ(model.tagging.currentElevation, 300);
    EXPECT_EQ(model.elevationArray(20, 39), 300);
    EXPECT_EQ(model.elevationArray(12, 39), 300);

    // Draw (and Erase and Pointer) turn tagging off on the panel too.
    trigger("actionDraw");
    EXPECT_FALSE(model.tagMode);
    EXPECT_TRUE(panel.findChild<QRadioButton*>("tagDisabledRadio")->isChecked());
    trigger("actionPointer");
    trigger("actionTagLinesEnabled");
    EXPECT_TRUE(panel.findChild<QRadioButton*>("tagEnabledRadio")->isChecked());

    // Close closes the panel.
    model.saved = true;
    g.Close1Click();
    EXPECT_FALSE(panel.isVisible());
    EXPECT_FALSE(model.tagMode);
}

TEST_F(ContourTools, ShowElevationWritesTheValueAndBeeps)
{
    IntGrid contour(4, 6, 255);
    for (int c = 0; c < 6; ++c) contour(1, c) = 740;
    model.loadContourElevationArray(contour);
    g.show();
    trigger("actionShowElevationEnabled");
    EXPECT_TRUE(panel.findChild<QRadioButton*>("showEnabledRadio")->isChecked());
    const int before = logSize(), beeps = tools.beeps;
    click(2, 1);
    click(2, 3);
    EXPECT_EQ(logSince(before), (QStringList{"Elevation value is:  740", "Elevation value is:  0", "  "}));
    EXPECT_EQ(tools.beeps, beeps + 2);
    EXPECT_TRUE(g.overlayTimer()->isActive());
    trigger("actionShowElevationDisabled");
    click(2, 1);
    EXPECT_EQ(logSize(), before + 3);
}

TEST_F(ContourTools, DigitiserMarksClosesAndDrawsThePolylineIntoTheLineCode)
{
    loadBinarised(std::vector<std::string>(60, std::string(60, '.')));
    modals.answer = [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Marker Color");
        auto* list = d.findChild<QComboBox*>("markerColorList");
        QStringList items;
        for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
        EXPECT_EQ(items, (QStringList{"Blue", "Black", "Yellow", "Red", "Green"}));
        list->setCurrentText("Red");
        d.findChild<QPushButton*>("submitButton")->click();
        return d.result();
    };
    trigger("actionMarkerColor");
    EXPECT_EQ(model.tools.markerColour, 0x0000FF);

    trigger("actionDigitizeEnabled");
    const int beeps = tools.beeps;
    click(10, 10);
    EXPECT_EQ(model.display(10, 18), 0xFFFF0000u);   // the cross, red, 8 pixels long
    EXPECT_EQ(model.display(10, 19), 0xFFFFFFFFu);
    EXPECT_EQ(model.display(10, 10), 0xFFFFFFFFu);   // not the clicked pixel itself
    EXPECT_EQ(model.elevationArray(10, 18), 255);    // only the display
    click(50, 10);
    click(50, 50);
    doubleClick(12, 14);
    EXPECT_EQ(tools.beeps, beeps + 4);
    // Closed onto (10, 10): four segments in the line code, imageArray following it.
    for (auto [r, c] : {std::pair{10, 30}, {30, 50}, {50, 50}, {14, 12}, {12, 11}})
        EXPECT_EQ(model.elevationArray(r, c), 0) << r << "," << c;
    EXPECT_EQ(model.imageArray(30, 50), 0);
    EXPECT_EQ(model.imageArray(30, 30), 0xFFFFFF);
    EXPECT_TRUE(model.tools.digitiser.points().empty());

    // A 101st point is ignored until the double click.
    for (int i = 0; i < 101; ++i) click(1 + i % 50, 20 + i / 50);
    EXPECT_EQ(model.tools.digitiser.points().size(), 100u);
    trigger("actionDigitizeDisabled");
    EXPECT_TRUE(model.tools.digitiser.points().empty());
    EXPECT_FALSE(model.digitiseEnabled);
}

TEST_F(ContourTools, ElevationDrawingPaintsPixelsThatCopyBitmapReadsAsTheElevation)
{
    load(IntGrid(6, 6, 0xFFFFFF));
    model.penColor = 0x00FF00;
    answerWith({{"elevationValueEdit", ""}});
    trigger("actionSetDrawElevation");
    answerWith({{"elevationValueEdit", "1000"}});
    const int before = logSize();
    trigger("actionSetDrawElevation");
    EXPECT_EQ(modals.shown, (QStringList{"Elevation Dialog", "Error!: Please enter a value in each text box.",
                                         "Elevation Dialog"}));
    EXPECT_EQ(logSince(before), (QStringList{"1000", "penColor is:  15205120"}));
    EXPECT_EQ(model.penColor, 0xE80300);
    trigger("actionDrawElevationEnabled");
    const int beeps = tools.beeps;
    click(3, 2);
    EXPECT_EQ(tools.beeps, beeps + 1);
    trigger("actionCopyBitmap");
    EXPECT_EQ(model.imageArray(2, 3), 1000);
    EXPECT_EQ(model.elevationArray(2, 3), 1000);
    trigger("actionDrawElevationDisabled");
    EXPECT_EQ(model.penColor, 0x00FF00);
    click(4, 4);
    EXPECT_EQ(model.display(4, 4), 0xFFFFFFFFu);
}
