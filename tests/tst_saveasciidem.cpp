// "SaveASCIIDEM" driven through the main window: the save dialog, the "ASCII
// DEM Data Entry Form" answered as a user answers it, the log lines and the
// file written.
#include "app/AsciiDemForm.h"
#include "app/MainWindow.h"
#include "app/WindowRegistry.h"
#include "formats/UsgsDemWriter.h"
#include "ui/FileDialogs.h"
#include "ModalRecorder.h"
#include "ProgramFixture.h"
#include "TestFiles.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <deque>
#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::pair<const char*, QString>>;

struct SaveAsciiDemFixture : ProgramFixture {
    AsciiDemDataEntryForm& form = *registry.find<AsciiDemDataEntryForm>();
    ModalRecorder recorder;
    /// Each attempt types its texts into the form and clicks its button ("cancelButton" or "submitButton").
    std::deque<std::pair<Texts, const char*>> attempts;
    RealGrid solution = RealGrid(3, 2);
    TempDir dir;

    void SetUp() override
    {
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 2; ++c) solution(r, c) = 100.7 + r * 10 - c * 300;
        m.session().solutionGrid = solution;
        m.enableAfterRun();
        recorder.answer = [this](QDialog& d) {
            bool finished = false;
            const auto connection = QObject::connect(&d, &QDialog::finished, [&finished] { finished = true; });
            while (!finished && !attempts.empty()) {
                auto [texts, button] = attempts.front();
                attempts.pop_front();
                for (const auto& [name, text] : texts) {
                    if (auto* edit = d.findChild<QLineEdit*>(name)) edit->setText(text);
                    else d.findChild<QComboBox*>(name)->setEditText(text);
                }
                d.findChild<QPushButton*>(button)->click();
            }
            QObject::disconnect(connection);
            return d.result();
        };
    }
    void save(const std::string& path) { answered(m.action("actionSaveAsciiDem"), path); }
};

const Texts kGoodTexts = {{"eastingEdit", "500000"}, {"northingEdit", "4000000"}, {"zoneEdit", "5"}};
const QStringList kGoodLines = {"basexFloat is:  500000", "baseyFloat is:  4000000", "Datum is:  NAD-83",
                                "UTM Zone is:  5", "Spacing is:  30", "Planimetric Units Code is:  2",
                                "Elevation Units Code is:  2", "Output Scale Factor is:  1.0"};

} // namespace

TEST_F(SaveAsciiDemFixture, EveryRefusalKeepsTheFormOpenUntilTheEntriesAreValid)
{
    attempts = {
        {{}, "submitButton"},                                              // empty corner
        {{{"eastingEdit", "5e5"}, {"northingEdit", "4000000"}, {"zoneEdit", "5"}}, "submitButton"},
        {{{"eastingEdit", "100000"}}, "submitButton"},                     // easting out of range
        {{{"eastingEdit", "500000"}, {"zoneEdit", "61"}}, "submitButton"}, // zone out of range
        {{{"zoneEdit", "5"}, {"elevationUnitsBox", "12"}}, "submitButton"},
        {{{"elevationUnitsBox", "3"}, {"spacingEdit", "12.5"}, {"northingEdit", "-4000000"}, {"datumBox", "NAS-C"}, {"outputScaleEdit", "3.28"}},
         "submitButton"},
    };
    save(dir.file("south.dem"));
    const QString utm = "\nError in UTM coordinate assignment.\n\nbasexFloat must be between 160,000 \nand 834,000.\n\n"
                        "baseyFloat must be between 0 and \n10,000,000.\n\nThe UTM zone must be between\n1 and 60.\n\n"
                        "Please enter new UTM coordinates.";
    const QString units = "\nError in units code assignment.\n\nPlanimetric and elevation units codes\n"
                          "must be between 0 and 9.\n\nPlease enter new units codes.";
    EXPECT_EQ(recorder.shown, (QStringList{"ASCII DEM Data Entry Form",
                                           "Error!: Please enter a value in each text box.",
                                           "Conversion Error: Text box entry must be an integer!", "Error!: " + utm,
                                           "Error!: " + utm, "Error!: " + units}));
    EXPECT_TRUE(attempts.empty());
    EXPECT_EQ(log().mid(2, 8), (QStringList{"basexFloat is:  500000", "baseyFloat is:  -4000000", "Datum is:  NAS-C",
                                            "UTM Zone is:  5", "Spacing is:  12.5", "Planimetric Units Code is:  2",
                                            "Elevation Units Code is:  3", "Output Scale Factor is:  3.28"}));
    const UsgsDemGeoreference g{"NAS-C", 500000, -4000000, 5, 12.5, 2, 3, 3.28f};
    EXPECT_EQ(readText(dir.file("south.dem")), formatUsgsAsciiDem(g, solution));
}

TEST_F(SaveAsciiDemFixture, CancelWritesWithTheValuesStoredLast)
{
    // Before any Submit: zeros, an empty datum and scale 1.0.
    attempts.push_back({kGoodTexts, "cancelButton"});
    save(dir.file("first.dem"));
    EXPECT_EQ(log().mid(1), (QStringList{QString::fromStdString(dir.file("first.dem")), " ", "File saved."}));
    EXPECT_EQ(readText(dir.file("first.dem")), formatUsgsAsciiDem(UsgsDemGeoreference{}, solution));

    // Submit: the form's defaults for what was not typed.
    attempts.push_back({kGoodTexts, "submitButton"});
    save(dir.file("second.dem"));
    EXPECT_EQ(filedialogs::lastFilter(), "dem|*.dem");
    EXPECT_EQ(log().mid(log().size() - 10), QStringList(kGoodLines) << " " << "File saved.");
    EXPECT_EQ(readText(dir.file("second.dem")),
              formatUsgsAsciiDem({"NAD-83", 500000, 4000000, 5, 30, 2, 2, 1.0f}, solution));
    attempts.push_back({{{"zoneEdit", "33"}, {"spacingEdit", "90"}}, "cancelButton"});   // typed, then cancelled
    save(dir.file("third.dem"));
    EXPECT_EQ(readText(dir.file("third.dem")), readText(dir.file("second.dem")));
}

