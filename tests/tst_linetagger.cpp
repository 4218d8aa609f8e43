#include "graphics/LineTagger.h"
#include "GridArt.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>
#include <tuple>

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
    // The diagonal line is another line.
    EXPECT_EQ(cellsAt(A, {{1, 2}, {6, 2}, {2, 9}, {0, 0}}), (std::vector{500, 500, 0, 255}));

    IntGrid touching = gridFromArt({"#....", ".#...", "..#..", "...##", "....."}, kLineCode);
    EXPECT_EQ(lineTagger(120, 0, 0, touching, log), 5u);   // diagonally touching pixels are one line
    EXPECT_EQ(touching(3, 4), 120);
}

TEST(TagAt, ClickBesideAVerticalLineTagsItThroughTheSecondCandidate)
{
    Tagging t({"........", "....#...", "....#...", "....#...", "....#...", "........"});
    t.state.currentElevation = 700;
    const TagOutcome out = t.click(3, 2);
    EXPECT_EQ(std::tuple(out.tagged, out.elevation, t.undoSaves), std::tuple(true, 700, 1));
    EXPECT_EQ(cellsAt(t.A, {{1, 4}, {4, 4}}), (std::vector{700, 700}));
    EXPECT_EQ(t.log.lines, (std::vector<std::string>{"  ", "Line tagged elevation:  700"}));
}

TEST(TagAt, ClicksInTheTopTwoRowsLogMissedLine)
{
    Tagging t({"..#...", "..#...", "......"});
    t.state.currentElevation = 90;
    EXPECT_TRUE(t.click(2, 0).tagged);
    EXPECT_EQ(t.log.lines, (std::vector<std::string>{"  ", "Line tagged elevation:  90", "Missed line."}));
}

TEST(TagAt, AutoIncrementStepsRightClickReusesThePreviousElevation)
{
    Tagging t({
        "..............",
        "..#...#...#...",
        "..#...#...#...",
        "..#...#...#...",
        "..............",
    });
    ASSERT_EQ(submitElevationPanel(t.state, "500", true, "-20"), PanelSubmitResult::Accepted);
    EXPECT_EQ((std::vector{t.click(2, 2).elevation, t.click(6, 2).elevation, t.click(10, 2).elevation,
                           t.click(10, 2, MouseButton::Right).elevation}),
              (std::vector{500, 480, 460, 460}));
    EXPECT_EQ(cellsAt(t.A, {{1, 2}, {1, 6}, {1, 10}}), (std::vector{500, 480, 460}));
    ASSERT_EQ(submitElevationPanel(t.state, "100", false, "-20"), PanelSubmitResult::Accepted);
    t.click(2, 2);
    EXPECT_EQ(t.state.currentElevation, 100);   // without auto increment the elevation stays
}

TEST(ShowElevation, ReportsTheValueUnderThePointer)
{
    IntGrid A = gridFromArt({"....", ".#..", "...."}, kLineCode);
    A(1, 1) = 350;
    RecordingReporter log;
    const ElevationQuery hit = showElevationAt(3, 2, 2, A, log);   // zoom 2: cell (1, 1)
    EXPECT_EQ(std::pair(hit.onLine, hit.value), std::pair(true, 350));
    EXPECT_FALSE(showElevationAt(0, 0, 1, A, log).onLine);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"Elevation value is:  350", "Elevation value is:  0", "  "}));
}

TEST(ElevationPanel, LimitsAndEntryErrors)
{
    TaggingState s;
    using R = PanelSubmitResult;
    // (elevation, auto increment, increment) -> result and the current elevation after it: the elevation is
    // taken before the increment is read; nothing is taken from a refused elevation.
    const std::vector<std::tuple<const char*, bool, const char*, R, int>> rows = {
        {"-1000", true, "-20", R::Accepted, -1000},      {"30000", true, "-20", R::Accepted, 30000},
        {"-1001", true, "-20", R::ElevationRefused, 30000}, {"30001", true, "-20", R::ElevationRefused, 30000},
        {"", true, "-20", R::ElevationRefused, 30000},   {"12a", true, "-20", R::NotAnInteger, 30000},
        {"800", true, "", R::IncrementEmpty, 800},       {"800", true, "x", R::NotAnInteger, 800},
        {"900", false, "", R::Accepted, 900}};
    for (const auto& [elevation, autoIncrement, increment, result, current] : rows) {
        EXPECT_EQ(submitElevationPanel(s, elevation, autoIncrement, increment), result) << elevation << increment;
        EXPECT_EQ(s.currentElevation, current) << elevation << increment;
    }
    EXPECT_EQ(elevationRangeErrorLines(),
              (std::vector<std::string>{"Elevation values must be between -1000 and 30000.  ", "Please try again!"}));
}
