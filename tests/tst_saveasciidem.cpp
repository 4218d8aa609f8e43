// "SaveASCIIDEM" driven through the main window: the save dialog, the "ASCII
// DEM Data Entry Form" answered as a user answers it, the log lines and the
// file written.
#include "formats/UsgsDemWriter.h"
#include "ModalRecorder.h"
#include "ProgramFixture.h"
#include "TestFiles.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <deque>

using SaveAsciiDem = ProgramFixture;

// Cancel before any Submit writes with zeros; each refusal keeps the form open; a Submit writes with the
// typed values and the form's defaults for the rest; a later Cancel keeps the values submitted last.
TEST_F(SaveAsciiDem, OneJourneyThroughTheForm)
{
    const RealGrid solution = gridOf<RealGrid>({{100.7, -199.3}, {110.7, -189.3}, {120.7, -179.3}});
    m.session().solutionGrid = solution;
    m.enableAfterRun();
    TempDir dir;
    auto save = [&](const std::string& name) { answered(m.action("actionSaveAsciiDem"), dir.file(name)); };
    // Each attempt types its texts into the form and clicks its button.
    std::deque<std::pair<std::vector<std::pair<const char*, QString>>, const char*>> attempts;
    ModalRecorder recorder;
    QStringList datums;   // as the form shows it each time
    recorder.answer = [&](QDialog& d) {
        datums << d.findChild<QComboBox*>("datumBox")->currentText();
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
    attempts.push_back({{{"eastingEdit", "500000"}}, "cancelButton"});
    save("first.dem");
    EXPECT_EQ(log().mid(1), (QStringList{QString::fromStdString(dir.file("first.dem")), " ", "File saved."}));
    EXPECT_EQ(readText(dir.file("first.dem")), formatUsgsAsciiDem(UsgsDemGeoreference{}, solution));
    attempts = {
        {{}, "submitButton"},                                                                    // empty corner
        {{{"eastingEdit", "5e5"}, {"northingEdit", "-4000000"}, {"zoneEdit", "5"}}, "submitButton"},
        {{{"eastingEdit", "100000"}}, "submitButton"},                                           // easting out of range
        {{{"eastingEdit", "500000"}, {"elevationUnitsBox", "12"}}, "submitButton"},
        {{{"elevationUnitsBox", "3"}, {"datumBox", "NAS-C"}, {"outputScaleEdit", "3.28"}}, "submitButton"},
    };
    save("south.dem");
    EXPECT_EQ(filedialogs::lastFilter(), "dem|*.dem");
    const QString utm = "\nError in UTM coordinate assignment.\n\nbasexFloat must be between 160,000 \nand 834,000.\n\n"
                        "baseyFloat must be between 0 and \n10,000,000.\n\nThe UTM zone must be between\n1 and 60.\n\n"
                        "Please enter new UTM coordinates.";
    const QString units = "\nError in units code assignment.\n\nPlanimetric and elevation units codes\n"
                          "must be between 0 and 9.\n\nPlease enter new units codes.";
    EXPECT_EQ(recorder.shown, (QStringList{"ASCII DEM Data Entry Form", "ASCII DEM Data Entry Form",
                                           "Error!: Please enter a value in each text box.",
                                           "Conversion Error: Text box entry must be an integer!", "Error!: " + utm,
                                           "Error!: " + units}));
    EXPECT_TRUE(attempts.empty());
    EXPECT_EQ(log().mid(log().size() - 10), (QStringList{"basexFloat is:  500000", "baseyFloat is:  -4000000",
                                                         "Datum is:  NAS-C", "UTM Zone is:  5", "Spacing is:  30",
                                                         "Planimetric Units Code is:  2", "Elevation Units Code is:  3",
                                                         "Output Scale Factor is:  3.28", " ", "File saved."}));
    const UsgsDemGeoreference g{"NAS-C", 500000, -4000000, 5, 30, 2, 3, 3.28f};
    EXPECT_EQ(readText(dir.file("south.dem")), formatUsgsAsciiDem(g, solution));
    attempts.push_back({{{"zoneEdit", "33"}, {"spacingEdit", "90"}}, "cancelButton"});   // typed, then cancelled
    save("third.dem");
    EXPECT_EQ(readText(dir.file("third.dem")), readText(dir.file("south.dem")));
    EXPECT_EQ(datums, (QStringList{"NAD-83", "NAD-83", "NAS-C"}));
}
