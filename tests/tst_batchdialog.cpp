// "Batch Mode Interpolate": the "Batch Mode Dialog" with its list, "Add Files",
// "Cancel" and "Continue", then Run over three tiles with one parameter set.
#include "SrtmWindowFixture.h"

#include "app/BatchDialog.h"
#include "app/BatchRun.h"

#include <tuple>

namespace {

struct BatchWindows : SrtmWindowFixture {
    TempDir dir;
    BatchDialog& batch = *m.batchDialog();

    /// Three tiles: the crop under three names.
    std::vector<std::string> makeTiles()
    {
        const auto crop = readBytes(testData(kTileCrop));
        std::vector<std::string> paths;
        for (const char* name : {"N49E011.hgt", "N49E012.hgt", "N50E011.hgt"}) {
            paths.push_back(dir.file(name));
            writeBytes(paths.back(), crop);
        }
        return paths;
    }
    /// The dialog answered by clicking its buttons: each path added through "Add Files", then the last button.
    void answerBatchDialog(const std::vector<std::string>& paths, const char* lastButton)
    {
        modals.answer = [paths, lastButton, next = modals.answer](QDialog& d) {
            if (d.objectName() != "batchModeDialog") return next(d);
            for (const std::string& p : paths) {
                filedialogs::queueAnswers({QString::fromStdString(p)});
                d.findChild<QPushButton*>("addFilesButton")->click();
            }
            d.findChild<QPushButton*>(lastButton)->click();
            return d.result();
        };
    }
};

} // namespace

TEST_F(BatchWindows, AddFilesListsThePathsAndCancelDropsTheLast)
{
    answerBatchDialog({"/t/N45W122.hgt", "/t/site.ind", "/t/N45W123.hgt"}, "cancelButton");
    m.action("actionBatchSrtmToSrtm")->trigger();
    EXPECT_EQ(batch.list().batchFiles, (std::vector<std::string>{"/t/N45W122.hgt", "/t/site.ind"}));
    EXPECT_EQ(batch.list().batchExtension, ".ind");
}

TEST_F(BatchWindows, ContinueAsksForTheParametersAndTheNullDataThenRunFillsEveryTile)
{
    const std::vector<std::string> paths = makeTiles();
    answerBatchDialog(paths, "continueButton");
    m.action("actionBatchSrtmToSrtm")->trigger();
    EXPECT_EQ(shown, (QStringList{"Batch Mode Dialog", "dataEntryForm", "Null Data Definition Data Entry Form"}));

    m.action("actionRunGridmend")->trigger();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const IntGrid in = readTileFile(paths[i]);
        const IntGrid out = readTileFile(batchOutputPath(paths[i]));
        ASSERT_EQ(out.rows(), 1201) << paths[i];
        for (int r = 0; r < kCropSide; ++r)
            for (int c = 0; c < kCropSide; ++c) {
                if (in(r, c) != -32768) ASSERT_EQ(out(r, c), in(r, c));
                else EXPECT_TRUE(out(r, c) > 300 && out(r, c) < 700) << r << "," << c << " " << out(r, c);
            }
    }
    // The null-data definition is the dialog's default, submitted and kept.
    EXPECT_EQ(std::tuple(m.beepCount, m.action("actionRunGridmend")->isEnabled(), m.action("actionView")->isEnabled(),
                         m.action("actionDisplay2dImage")->isEnabled(), g.isVisible(), model.nullDataDefinition),
              std::tuple(9, false, true, false, false, -32000));

    // The batch mode ends with its run: the next Run does not repeat the old list over its results.
    EXPECT_FALSE(m.session().batchMode);
    const auto written = std::filesystem::last_write_time(batchOutputPath(paths[0]));
    m.RunGridmend1Click();
    EXPECT_EQ(m.beepCount, 9 + 3);   // one Run of the session's input, not the three files again
    EXPECT_EQ(std::filesystem::last_write_time(batchOutputPath(paths[0])), written);
}
