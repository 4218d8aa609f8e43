// The graphics window's colour filters, binarisation, thinning, patterns and
// edges as a user drives them: the menu entries, their dialogs with the
// program's captions and defaults, the validation windows, the pixel and
// line-scan queries, the reference image, and the enabling that "Binarize" does.
#include "GraphicsWindowFixture.h"
#include "GridArt.h"
#include "graphics/GraphicsDialogs.h"
#include "view/ImageWindows.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QRadioButton>

namespace {

using ImageFilters = GraphicsWindowFixture;

const std::map<char, std::int32_t> kColours = {{'r', 0xFF0000}, {'g', 0x00FF00}, {'b', 0x0000FF}, {'w', 0xFFFFFF},
                                               {'k', 0x000000}, {'c', 0x00FFFF}, {'m', 0x808080}, {'t', 0x123456}};

IntGrid art(const std::vector<std::string>& rows) { return gridFromArt(rows, kColours); }
std::vector<std::string> artOf(const IntGrid& g) { return artFromGrid(g, kColours); }

QStringList labels(const QDialog& d)
{
    QStringList out;
    for (const QLabel* l : d.findChildren<QLabel*>())
        if (!l->text().isEmpty()) out << l->text();
    return out;
}

QString text(const QDialog& d, const char* edit) { return d.findChild<QLineEdit*>(edit)->text(); }

} // namespace

TEST_F(ImageFilters, FilterValuesDialogKeepsOrReplacesTheListedColours)
{
    load(art({"rgb", "wkr"}));
    modals.answer = [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Filter Data Entry");
        const QStringList l = labels(d);
        EXPECT_TRUE(l.contains("Filter 1") && l.contains("Filter 16") && l.contains("Replacement Color"));
        EXPECT_EQ(text(d, "filter1Edit"), "0x0");
        EXPECT_EQ(text(d, "filter16Edit"), "0x0");
        EXPECT_EQ(text(d, "replacementColorEdit"), "0xffffff");
        EXPECT_EQ(d.findChild<QCheckBox*>("valueToggleCheck")->text(), "Value Toggle");
        EXPECT_FALSE(d.findChild<QCheckBox*>("valueToggleCheck")->isChecked());
        EXPECT_EQ(d.findChild<QPushButton*>("loadValuesButton")->text(), "Load Values");
        return fill(d, {{"filter1Edit", "0xff0000"}, {"replacementColorEdit", "0x00ffff"}});
    };
    trigger("actionFilterValues");
    // Toggle clear: colours equal to none of the 16 values (red and 15 x black) are replaced.
    EXPECT_EQ(artOf(model.imageArray), (std::vector<std::string>{"rcc", "ckr"}));
    EXPECT_EQ(model.display(0, 1), 0xFF00FFFFu);
    trigger("actionUndo");
    EXPECT_EQ(artOf(model.imageArray), (std::vector<std::string>{"rgb", "wkr"}));

    // Toggle set: the listed colours are replaced (the boxes kept their text).
    modals.answer = [](QDialog& d) {
        EXPECT_EQ(text(d, "filter1Edit"), "0xff0000");
        d.findChild<QCheckBox*>("valueToggleCheck")->setChecked(true);
        return fill(d, {});
    };
    trigger("actionFilterValues");
    EXPECT_EQ(artOf(model.imageArray), (std::vector<std::string>{"cgb", "wcc"}));
}

TEST_F(ImageFilters, FilterDialogsRefuseEmptyAndNonHexadecimalBoxes)
{
    load(art({"rg"}));
    answerWith({{"filter3Edit", ""}});
    trigger("actionFilterValues");
    answerWith({{"filter3Edit", "0xfg"}});
    trigger("actionFilterValues");
    EXPECT_EQ(modals.shown, (QStringList{"Filter Data Entry", "Error!: Please enter a value in each text box.",
                                         "Filter Data Entry", "Conversion Error: Text box entry must be an integer!"}));
    EXPECT_EQ(artOf(model.imageArray), (std::vector<std::string>{"rg"}));   // nothing ran
    EXPECT_EQ(model.filterValues[2], 0);
}

TEST_F(ImageFilters, PixelQueriesFillTheHistoryThatLoadValuesAndLoadValueUse)
{
    load(art({"rgbm", "wkrt"}));
    g.action("actionZoomIn")->trigger();   // cells are 2 x 2 screen pixels now
    trigger("actionQueryPixelEnabled");
    const int before = logSize();
    click(3, 1);   // cell (0, 1): green
    EXPECT_EQ(logSince(before), (QStringList{"Integer representation of pixel value is:  65280",
                                             " Hex representation of pixel value is:  00FF00", "  "}));
    EXPECT_EQ(model.replacementColour, 0x00FF00);
    // 16 more queries: the 17th value lands in the first slot.
    for (int i = 0; i < 15; ++i) click(1, 1);
    click(7, 3);   // cell (1, 3)
    EXPECT_EQ(model.tools.queryHistory.colours[0], 0x123456);
    EXPECT_EQ(model.tools.queryHistory.colours[1], 0xFF0000);
    trigger("actionQueryPixelDisabled");
    click(3, 1);
    EXPECT_EQ(model.tools.queryHistory.lastQueried, 0x123456);

    modals.answer = [](QDialog& d) {
        d.findChild<QPushButton*>("loadValuesButton")->click();
        EXPECT_EQ(text(d, "filter1Edit"), "0x123456");
        EXPECT_EQ(text(d, "filter2Edit"), "0xff0000");
        EXPECT_EQ(text(d, "filter16Edit"), "0xff0000");
        return 0;   // closed without Submit
    };
    trigger("actionFilterValues");

    // "Load Value": the last queried colour in decimal, "Keep/Discard Toggle" checked: Submit
    // turns exactly that colour into the background colour.
    modals.answer = [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Filter Limits data Entry Form");
        EXPECT_TRUE(labels(d).contains("Please Enter the Lower and Upper Filter Limits"));
        EXPECT_TRUE(labels(d).contains("and the Background Color."));
        EXPECT_EQ(text(d, "lowerLimitEdit"), "0x000000");
        EXPECT_EQ(text(d, "upperLimitEdit"), "0xffffff");
        EXPECT_EQ(text(d, "backgroundColorEdit"), "0xffffff");
        EXPECT_EQ(d.findChild<QGroupBox*>()->title(), "Image Selector");
        EXPECT_TRUE(d.findChild<QRadioButton*>("processImageRadio")->isChecked());
        EXPECT_EQ(d.findChild<QRadioButton*>("referenceImageRadio")->text(), "Filter Reference Image");
        d.findChild<QPushButton*>("loadValueButton")->click();
        EXPECT_EQ(text(d, "lowerLimitEdit"), "1193046");
        EXPECT_EQ(text(d, "upperLimitEdit"), "1193046");
        EXPECT_TRUE(d.findChild<QCheckBox*>("keepDiscardCheck")->isChecked());
        return fill(d, {});
    };
    trigger("actionFilterRange");
    EXPECT_EQ(artOf(model.imageArray), (std::vector<std::string>{"rgbm", "wkrw"}));
}

TEST_F(ImageFilters, RangeFilterWorksOnTheReferenceImageWithoutUndo)
{
    load(art({"mk"}));
    ReferenceImageWindow& reference = *m.referenceImageWindow();
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, 0xFF808080);
    picture.setPixel(1, 0, 0xFF7F7F7F);
    reference.loadPicture(picture);
    model.undoImageArray = art({"rr"});
    modals.answer = [](QDialog& d) {
        d.findChild<QRadioButton*>("referenceImageRadio")->setChecked(true);
        return fill(d, {{"upperLimitEdit", "0x7F7F7F"}, {"backgroundColorEdit", "0x123456"}});
    };
    trigger("actionFilterRange");
    // Toggle clear: 0x808080 lies above the upper limit and goes; 0x7F7F7F stays.
    EXPECT_EQ(artOf(reference.asArray()), (std::vector<std::string>{"t?"}));
    EXPECT_EQ(reference.asArray()(0, 1), 0x7F7F7F);
    EXPECT_EQ(artOf(model.imageArray), (std::vector<std::string>{"mk"}));
    EXPECT_EQ(artOf(model.undoImageArray), (std::vector<std::string>{"rr"}));
}

TEST_F(ImageFilters, ByteScreenReplacesPixelsDominatedByTheScreenedChannel)
{
    const std::map<char, std::int32_t> c = {{'R', 0xC01010}, {'G', 0x10C010}, {'m', 0x808080}, {'w', 0xFFFFFF},
                                            {'t', 0x123456}};
    load(gridFromArt<std::int32_t>({"RGm"}, c));
    modals.answer = [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Red Green Blue Byte Filter Data Entry");
        EXPECT_EQ(text(d, "redByteEdit"), "0xff");
        EXPECT_EQ(text(d, "targetColorEdit"), "0xffffff");
        EXPECT_EQ(d.findChild<QGroupBox*>()->title(), "Screening Byte Selection");
        d.findChild<QRadioButton*>("screenRedRadio")->setChecked(true);
        return fill(d, {{"redByteEdit", "0x80"}, {"greenByteEdit", "0x80"}, {"blueByteEdit", "0x80"}});
    };
    trigger("actionRgbByteFilter");
    EXPECT_EQ(artFromGrid(model.imageArray, c), (std::vector<std::string>{"wGm"}));
    modals.answer = [](QDialog& d) {
        d.findChild<QRadioButton*>("screenGreenRadio")->setChecked(true);
        d.findChild<QCheckBox*>("useTargetCheck")->setChecked(true);
        return fill(d, {{"targetColorEdit", "0x123456"}});
    };
    trigger("actionRgbByteFilter");
    EXPECT_EQ(artFromGrid(model.imageArray, c), (std::vector<std::string>{"wtm"}));
}

TEST_F(ImageFilters, UnsharpMaskRefusesMultipliersOutsideZeroToOne)
{
    IntGrid picture(5, 5, 0x202020);
    for (int r = 0; r < 5; ++r) picture(r, 3) = picture(r, 4) = 0xC0C0C0;
    load(picture);
    answerWith({{"sharpMultiplierEdit", "1.5"}});
    trigger("actionUnsharpMask");
    answerWith({{"sharpMultiplierEdit", "-0.1"}});
    trigger("actionUnsharpMask");
    answerWith({{"sharpMultiplierEdit", "x"}});
    trigger("actionUnsharpMask");
    EXPECT_EQ(modals.shown, (QStringList{"Unsharp Mask Data Entry", "Error!: Multiplier mut be between 0 and 1",
                                         "Unsharp Mask Data Entry", "Error!: Multiplier mut be between 0 and 1",
                                         "Unsharp Mask Data Entry", "Conversion Error: Text box entry must be a double!"}));
    EXPECT_EQ(model.imageArray, picture);
    modals.answer = [](QDialog& d) {
        EXPECT_EQ(text(d, "sharpMultiplierEdit"), "x");   // the box keeps what was typed
        return fill(d, {{"sharpMultiplierEdit", "0.70"}});
    };
    trigger("actionUnsharpMask");
    EXPECT_NE(model.imageArray, picture);
}

TEST_F(ImageFilters, BinarizeEnablesTheLineCodeCommandsAndShowsGrey)
{
    load(art({"wmk", "cwr"}));
    for (const char* name : {"actionThin", "actionDespeckle8Bit", "actionConnectLines", "actionDeleteShortSegments",
                             "menuTag", "actionSaveElevationArray"})
        EXPECT_FALSE(enabled(name)) << name;
    EXPECT_TRUE(enabled("actionDespeckle24Bit"));
    modals.answer = [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Background Color Data Entry");
        EXPECT_EQ(d.findChild<QPushButton*>("submitButton")->text(), "Submt");
        EXPECT_EQ(text(d, "backgroundColorEdit"), "0xffffff");
        return fill(d, {{"backgroundColorEdit", "0x808080"}});
    };
    trigger("actionBinarize");
    EXPECT_EQ(artFromGrid(model.elevationArray, kLineCode), (std::vector<std::string>{"..#", "#.."}));
    EXPECT_EQ(artOf(model.imageArray), (std::vector<std::string>{"wmk", "cwr"}));   // unchanged
    EXPECT_EQ(model.display(0, 2), 0xFF000000u);
    EXPECT_EQ(model.display(0, 1), 0xFFFFFFFFu);
    for (const char* name : {"actionThin", "actionDespeckle8Bit", "actionConnectLines", "actionDeleteShortSegments",
                             "menuTag", "actionSaveElevationArray"})
        EXPECT_TRUE(enabled(name)) << name;
    EXPECT_FALSE(enabled("actionDespeckle24Bit"));
    trigger("actionZoomIn");
    EXPECT_FALSE(enabled("actionThin"));   // "Thin" works on the displayed picture
    trigger("actionZoomOut");
    EXPECT_TRUE(enabled("actionThin"));
}

TEST_F(ImageFilters, ThinNarrowsABarToOneLineAndThenChangesNothing)
{
    IntGrid picture(9, 12, 0xFFFFFF);
    for (int r = 3; r <= 5; ++r)
        for (int c = 1; c <= 10; ++c) picture(r, c) = 0;
    load(picture);
    answerWith({});
    trigger("actionBinarize");
    int clicks = 0;
    IntGrid before;
    do {
        before = model.elevationArray;
        trigger("actionThin");
        ASSERT_LE(++clicks, 3);
    } while (model.elevationArray != before);
    EXPECT_LE(clicks, 3);   // at most two that change, one that does not
    int lineRows = 0;
    for (int r = 0; r < 9; ++r) lineRows += model.elevationArray(r, 5) == 0;
    EXPECT_EQ(lineRows, 1);
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 12; ++c)
            EXPECT_EQ(model.imageArray(r, c), model.elevationArray(r, c) == 0 ? 0 : 0xFFFFFF);   // read back

    // A single pixel survives thinning and goes with "Despeckle 8 Bit".
    model.elevationArray(7, 8) = 0;
    trigger("actionDespeckle8Bit");
    EXPECT_EQ(model.elevationArray(7, 8), 255);
    EXPECT_EQ(model.display(7, 8), 0xFFFFFFFFu);
}

TEST_F(ImageFilters, NegativeAndGrayscaleRebuildTheDisplayFromTheWorkArray)
{
    load(art({"wkm"}));
    trigger("actionNegativeImage");
    EXPECT_EQ(artOf(model.imageArray), (std::vector<std::string>{"kwm"}));
    EXPECT_EQ(model.elevationArray(0, 0), 0);
    EXPECT_EQ(model.elevationArray(0, 2), 0xFFFFFF);
    EXPECT_EQ(model.display(0, 0), 0xFF000000u);
    trigger("actionUndo");
    trigger("actionGrayscale");
    EXPECT_EQ(model.elevationArray(0, 2), 128);
    EXPECT_EQ(model.imageArray(0, 0), 0xFFFFFF);
    EXPECT_EQ(model.display(0, 2), 0xFF808080u);
}

TEST_F(ImageFilters, SubtractAndNandNeedAReferenceOfTheSameSize)
{
    load(art({"rg", "bm"}));
    trigger("actionSubtractArrays");
    answerWith({{"backgroundColorEdit", "0x123456"}});
    trigger("actionNandArrays");
    const QString sizeError = "Error!: Error:  the reference image and the\nprocess image must be the same size.";
    EXPECT_EQ(modals.shown, (QStringList{sizeError, "Background Color Data Entry", sizeError}));
    EXPECT_EQ(artOf(model.imageArray), (std::vector<std::string>{"rg", "bm"}));

    QImage same(2, 2, QImage::Format_RGB32);
    same.setPixel(0, 0, 0xFFFF0000);
    same.setPixel(1, 0, 0xFF00FF00);
    same.setPixel(0, 1, 0xFF0000FF);
    same.setPixel(1, 1, 0xFF000000);
    m.referenceImageWindow()->loadPicture(same);
    trigger("actionNandArrays");
    EXPECT_EQ(artOf(model.imageArray), (std::vector<std::string>{"tt", "tm"}));
    trigger("actionUndo");
    trigger("actionSubtractArrays");   // the same picture less itself: white, 0x808080 less black stays
    EXPECT_EQ(artOf(model.imageArray), (std::vector<std::string>{"ww", "wm"}));
}

TEST_F(ImageFilters, StretchContrastAndOffset)
{
    IntGrid picture(1, 3);
    picture(0, 0) = 100;
    picture(0, 1) = 150;
    picture(0, 2) = 200;
    load(picture);
    modals.answer = [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Scale Factor Dialog Box");
        EXPECT_TRUE(labels(d).contains("Enter the scale factor."));
        EXPECT_EQ(text(d, "scaleFactorEdit"), "1.0");
        return fill(d, {{"scaleFactorEdit", "0.5"}});
    };
    trigger("actionStretchOffset");
    EXPECT_EQ(model.imageArray(0, 1), 75);
    trigger("actionStretchContrast");
    EXPECT_EQ(model.imageArray(0, 0), 0);
    EXPECT_EQ(model.imageArray(0, 1), 8388607);
    EXPECT_EQ(model.imageArray(0, 2), 16777215);
    EXPECT_EQ(model.undoImageArray(0, 1), 150);   // contrast stretch has no undo

    load(IntGrid(2, 2, 0x404040));
    trigger("actionStretchContrast");   // one value: nothing to stretch
    EXPECT_EQ(model.imageArray, IntGrid(2, 2, 0x404040));
}

TEST_F(ImageFilters, PatternsAndEdgesThroughTheirMenus)
{
    IntGrid square(7, 7, 0xFFFFFF);
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 5; ++c) square(r, c) = 0;
    load(square);
    trigger("actionBlockPattern");
    EXPECT_EQ(model.imageArray(3, 3), 0xFFFFFF);
    EXPECT_EQ(model.imageArray(1, 3), 0);
    trigger("actionUndo");
    trigger("actionNibblePattern");
    EXPECT_EQ(model.imageArray(1, 3), 0xFFFFFF);
    EXPECT_EQ(model.imageArray(2, 3), 0);

    answerWith({{"numberNeighborsEdit", "0"}});
    trigger("actionNeighborPattern");
    answerWith({{"numberNeighborsEdit", "9"}});
    trigger("actionNeighborPattern");
    const QString error = "Error!: Neighbors must be  greater than\nzero and less than  nine";
    EXPECT_EQ(modals.shown, (QStringList{"Pixel Neighbor Data Entry", error, "Pixel Neighbor Data Entry", error}));
    modals.answer = [](QDialog& d) {
        EXPECT_TRUE(labels(d).contains("Enter the numbe of neighbor pixels to filter."));
        EXPECT_EQ(text(d, "numberNeighborsEdit"), "9");
        EXPECT_TRUE(d.findChild<QCheckBox*>("filterSenseCheck")->isChecked());
        return fill(d, {{"numberNeighborsEdit", "8"}});
    };
    const IntGrid before = model.imageArray;
    trigger("actionNeighborPattern");   // nothing has more than eight equal neighbours
    EXPECT_EQ(model.imageArray, before);

    load(IntGrid(5, 5, 0x404040));
    const IntGrid undo = model.undoImageArray;
    model.imageArray(2, 2) = 0x404041;
    trigger("actionSobelTrailing");
    EXPECT_EQ(model.imageArray(0, 0), 0);          // border black
    EXPECT_EQ(model.imageArray(3, 2), 0xFFFFFF);   // below the step the response is positive: white
    EXPECT_EQ(model.imageArray(1, 2), 0);          // above it negative, which "Sobel Trailing" drops
    EXPECT_EQ(model.undoImageArray, undo);         // no undo copies for edges
    trigger("actionLaplacianLeadingAndTrailing");
    EXPECT_EQ(model.imageArray(0, 0), 0);
}

TEST_F(ImageFilters, LineScanReportsTheDisplayedColourOnlyAtZoomOne)
{
    load(art({"rg"}));
    trigger("actionLineScanEnabled");
    const int before = logSize();
    click(1, 0);
    EXPECT_EQ(logSince(before), QStringList{"65280"});
    trigger("actionZoomIn");
    EXPECT_FALSE(enabled("actionLineScanEnabled"));
    click(3, 1);
    EXPECT_EQ(logSize(), before + 1);
    trigger("actionLineScanDisable");
    trigger("actionZoomOut");
    click(1, 0);
    EXPECT_EQ(logSize(), before + 1);
}
