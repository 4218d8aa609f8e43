#include "graphics/LineTagger.h"
#include "GridArt.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>

namespace {

/// The displayed picture of an elevation array at a zoom factor: 255 white, anything else black.
Grid<std::uint32_t> displayed(const IntGrid& A, int zoom = 1)
{
    Grid<std::uint32_t> p(A.rows() * zoom, A.cols() * zoom);
    for (int r = 0; r < p.rows(); ++r)
        for (int c = 0; c < p.cols(); ++c) p(r, c) = A(r / zoom, c / zoom) == 255 ? 0xFFFFFFu : 0u;
    return p;
}

struct Tagging {
    IntGrid A;
    TaggingState state;
    RecordingReporter log;
    int undoSaves = 0;

    explicit Tagging(const std::vector<std::string>& art) : A(gridFromArt(art, kLineCode)) {}

    TagOutcome click(int x, int y, MouseButton button = MouseButton::Left, int zoom = 1)
    {
        return tagAt(x, y, button, displayed(A, zoom), zoom, A, state, [this] { ++undoSaves; }, log);
    }
};

const std::vector<std::string> kTwoLines = {
    "............",
    "..#.........",
    "..#......#..",
    "..#.....#...",
    "..#....#....",
    "..#...#.....",
    "..#.........",
    "............",
};

} // namespace

TEST(LineTagger, FloodsTheEightConnectedLineAndLogs)
{
    IntGrid A = gridFromArt(kTwoLines, kLineCode);
    RecordingReporter log;
    EXPECT_EQ(lineTagger(500, 3, 2, A, log), 6u);
    EXPECT_EQ(log.lines, std::vector<std::string>{"Line tagged elevation:  500"});
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(A(r, 2), 500);
    EXPECT_EQ(A(2, 9), 0);   // the diagonal line is another line
    EXPECT_EQ(A(0, 0), 255);
}

TEST(LineTagger, DiagonallyTouchingLinesAreTaggedTogether)
{
    IntGrid A = gridFromArt({"#....", ".#...", "..#..", "...##", "....."}, kLineCode);
    RecordingReporter log;
    EXPECT_EQ(lineTagger(120, 0, 0, A, log), 5u);
    EXPECT_EQ(A(3, 4), 120);
}

TEST(LineTagger, SeedInTheLastRowAndColumnStaysInsideTheArray)
{
    IntGrid A = gridFromArt({"....#", "...#.", "..#.#"}, kLineCode);
    RecordingReporter log;
    EXPECT_EQ(lineTagger(7, 2, 4, A, log), 4u);
    EXPECT_EQ(lineTagger(8, 2, 2, A, log), 4u);
    EXPECT_EQ(A(0, 4), 8);
    EXPECT_EQ(lineTagger(9, 3, 0, A, log), 0u);   // outside: nothing, no log line
    EXPECT_EQ(log.lines.size(), 2u);
}

TEST(TagAt, ClickBesideAVerticalLineTagsItThroughTheSecondCandidate)
{
    Tagging t({"........", "....#...", "....#...", "....#...", "....#...", "........"});
    t.state.currentElevation = 700;
    const TagOutcome out = t.click(3, 2);
    EXPECT_TRUE(out.tagged);
    EXPECT_EQ(out.elevation, 700);
    EXPECT_EQ(t.undoSaves, 1);
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(t.A(r, 4), 700);
    EXPECT_EQ(t.log.lines, (std::vector<std::string>{"  ", "Line tagged elevation:  700"}));
}

TEST(TagAt, ZoomedClickTagsTheCellUnderThePoint)
{
    Tagging t({"......", "......", "...#..", "...#..", "......"});
    t.state.currentElevation = 10;
    EXPECT_TRUE(t.click(7, 5, MouseButton::Left, 2).tagged);   // cell (2, 3)
    EXPECT_EQ(t.A(2, 3), 10);
    EXPECT_EQ(t.A(3, 3), 10);
}

TEST(TagAt, ClicksInTheTopTwoRowsLogMissedLine)
{
    Tagging t({"..#...", "..#...", "......"});
    t.state.currentElevation = 90;
    EXPECT_TRUE(t.click(2, 0).tagged);
    EXPECT_EQ(t.log.lines, (std::vector<std::string>{"  ", "Line tagged elevation:  90", "Missed line."}));
    t.log.lines.clear();
    EXPECT_FALSE(t.click(5, 1).tagged);
    EXPECT_EQ(t.log.lines, (std::vector<std::string>{"  ", "Missed line."}));
}

TEST(TagAt, FifthCandidateIsThePixelAbove)
{
    Tagging t({"......", "......", "..#...", "......", "......"});
    t.state.currentElevation = 3;
    EXPECT_TRUE(t.click(2, 3).tagged);
    EXPECT_EQ(t.A(2, 2), 3);
}

TEST(TagAt, AutoIncrementStepsAndRightClickReusesThePreviousElevation)
{
    Tagging t({
        "..............",
        "..#...#...#...",
        "..#...#...#...",
        "..#...#...#...",
        "..............",
    });
    ASSERT_EQ(submitElevationPanel(t.state, "500", true, "-20"), PanelSubmitResult::Accepted);
    EXPECT_EQ(t.click(2, 2).elevation, 500);
    EXPECT_EQ(t.click(6, 2).elevation, 480);
    EXPECT_EQ(t.click(10, 2).elevation, 460);
    EXPECT_EQ(t.state.currentElevation, 440);
    EXPECT_EQ(t.click(10, 2, MouseButton::Right).elevation, 460);
    EXPECT_EQ(t.state.currentElevation, 440);
    EXPECT_EQ(t.state.previousElevation(), 460);
    EXPECT_EQ(t.A(1, 2), 500);
    EXPECT_EQ(t.A(1, 6), 480);
    EXPECT_EQ(t.A(1, 10), 460);
}

TEST(TagAt, WithoutAutoIncrementTheElevationStays)
{
    Tagging t({"......", "..#...", "..#...", "......"});
    ASSERT_EQ(submitElevationPanel(t.state, "100", false, "-20"), PanelSubmitResult::Accepted);
    t.click(2, 2);
    t.click(2, 2);
    EXPECT_EQ(t.state.currentElevation, 100);
}

TEST(ShowElevation, ReportsTheValueUnderThePointer)
{
    IntGrid A = gridFromArt({"....", ".#..", "...."}, kLineCode);
    A(1, 1) = 350;
    RecordingReporter log;
    const ElevationQuery hit = showElevationAt(3, 2, 2, A, log);   // zoom 2: cell (1, 1)
    EXPECT_TRUE(hit.onLine);
    EXPECT_EQ(hit.value, 350);
    const ElevationQuery miss = showElevationAt(0, 0, 1, A, log);
    EXPECT_FALSE(miss.onLine);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"Elevation value is:  350", "Elevation value is:  0", "  "}));
}

TEST(ElevationPanel, LimitsAndEntryErrors)
{
    TaggingState s;
    EXPECT_EQ(submitElevationPanel(s, "-1000", true, "-20"), PanelSubmitResult::Accepted);
    EXPECT_EQ(s.currentElevation, -1000);
    EXPECT_EQ(submitElevationPanel(s, "30000", true, "-20"), PanelSubmitResult::Accepted);
    EXPECT_EQ(s.currentElevation, 30000);
    EXPECT_EQ(s.lastSubmitted, 30000);
    EXPECT_EQ(submitElevationPanel(s, "-1001", true, "-20"), PanelSubmitResult::ElevationRefused);
    EXPECT_EQ(submitElevationPanel(s, "30001", true, "-20"), PanelSubmitResult::ElevationRefused);
    EXPECT_EQ(submitElevationPanel(s, "", true, "-20"), PanelSubmitResult::ElevationRefused);
    EXPECT_EQ(submitElevationPanel(s, "12a", true, "-20"), PanelSubmitResult::NotAnInteger);
    EXPECT_EQ(s.currentElevation, 30000);   // nothing taken

    EXPECT_EQ(submitElevationPanel(s, "800", true, ""), PanelSubmitResult::IncrementEmpty);
    EXPECT_EQ(s.currentElevation, 800);   // the elevation is taken before the increment is read
    EXPECT_EQ(submitElevationPanel(s, "800", true, "x"), PanelSubmitResult::NotAnInteger);
    EXPECT_EQ(submitElevationPanel(s, "800", false, ""), PanelSubmitResult::Accepted);
    EXPECT_FALSE(s.autoIncrement);
    EXPECT_EQ(elevationRangeErrorLines(),
              (std::vector<std::string>{"Elevation values must be between -1000 and 30000.  ", "Please try again!"}));
}

TEST(ElevationPanel, ReloadLastAndResume)
{
    TaggingState s;
    submitElevationPanel(s, "500", true, "-20");
    s.currentElevation = 440;   // after three tags
    EXPECT_EQ(reloadLast(s), 460);
    EXPECT_EQ(s.lastSubmitted, 440);
    EXPECT_EQ(resumeElevation(s), 440);
    EXPECT_EQ(s.currentElevation, 440);
}
