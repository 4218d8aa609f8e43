// The graphics window's filters as a user drives them: what the dialogs take from
// the pixel queries, the reference image, the range errors and the enabling
// that "Binarize" does.
#include "GraphicsWindowFixture.h"
#include "GridArt.h"
#include "graphics/GraphicsDialogs.h"
#include "view/ImageWindows.h"

#include <QCheckBox>
#include <QImage>
#include <QRadioButton>

namespace {

using ImageFilters = GraphicsWindowFixture;

const std::map<char, std::int32_t> kColours = {{'r', 0xFF0000}, {'g', 0x00FF00}, {'b', 0x0000FF}, {'w', 0xFFFFFF},
                                               {'k', 0x000000}, {'c', 0x00FFFF}, {'m', 0x808080}, {'t', 0x123456}};

IntGrid art(const std::vector<std::string>& rows) { return gridFromArt(rows, kColours); }
std::vector<std::string> artOf(const IntGrid& g) { return artFromGrid(g, kColours); }

QString text(const QDialog& d, const char* edit) { return d.findChild<QLineEdit*>(edit)->text(); }

} // namespace

TEST_F(ImageFilters, APixelQueryIsLoggedAndLoadValueRemovesExactlyThatColour)
{
    load(art({"rgbm", "wkrt"}));
    g.action("actionZoomIn")->trigger();   // cells are 2 x 2 screen pixels now
    trigger("actionQueryPixelEnabled");
    const int before = logSize();
    click(7, 3);   // cell (1, 3)
    EXPECT_EQ(logSince(before), (QStringList{"Integer representation of pixel value is:  1193046",
                                             " Hex representation of pixel value is:  123456", "  "}));
    // "Load Value": the last queried colour in decimal, "Keep/Discard Toggle" checked: Submit
    // turns exactly that colour into the background colour.
    modals.answer = [](QDialog& d) {
        d.findChild<QPushButton*>("loadValueButton")->click();
        EXPECT_EQ(std::pair(text(d, "lowerLimitEdit"), text(d, "upperLimitEdit")),
                  std::pair(QString("1193046"), QString("1193046")));
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
    EXPECT_EQ(reference.asArray(), pictureOf({0x123456, 0x7F7F7F}, 1));
    EXPECT_EQ(artOf(model.undoImageArray), (std::vector<std::string>{"rr"}));
}

TEST_F(ImageFilters, UnsharpMaskRefusesMultipliersOutsideZeroToOne)
{
    IntGrid picture(5, 5, 0x202020);
    for (int r = 0; r < 5; ++r) picture(r, 3) = picture(r, 4) = 0xC0C0C0;
    load(picture);
    answerWith({{"sharpMultiplierEdit", "1.5"}});
    trigger("actionUnsharpMask");
    EXPECT_EQ(modals.shown, (QStringList{"Unsharp Mask Data Entry", "Error!: Multiplier mut be between 0 and 1"}));
    EXPECT_EQ(model.imageArray, picture);
}

TEST_F(ImageFilters, BinarizeMakesTheLineCodeAndShowsIt)
{
    load(art({"wmk", "cwr"}));
    modals.answer = [](QDialog& d) { return fill(d, {{"backgroundColorEdit", "0x808080"}}); };
    trigger("actionBinarize");
    EXPECT_EQ(artFromGrid(model.elevationArray, kLineCode), (std::vector<std::string>{"..#", "#.."}));
    EXPECT_EQ(cellsAt(model.display, {{0, 2}, {0, 1}}), (std::vector{0xFF000000u, 0xFFFFFFFFu}));
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
}
