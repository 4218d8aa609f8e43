#include "graphics/LineTagger.h"

#include "app/core/Reporter.h"
#include "app/core/TextNumbers.h"
#include "graphics/StackFlood.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

constexpr std::int32_t kBackground = 255;

bool onLine(const Grid<std::uint32_t>& picture, int x, int y)
{
    return picture.contains(y, x) && rgbOf(picture(y, x)) != 0xFFFFFFu;
}

int evenBelow(int v) { return v - (v & 1); }

/// a + b without overflow: the auto-increment value is any integer the user typed.
std::int32_t addSaturated(std::int32_t a, std::int64_t b)
{
    const std::int64_t sum = std::int64_t(a) + b;
    return std::int32_t(std::clamp<std::int64_t>(sum, INT32_MIN, INT32_MAX));
}

} // namespace

void TaggingState::stepBack()
{
    currentElevation = addSaturated(currentElevation, -std::int64_t(autoIncrementValue));
}

void TaggingState::stepForward()
{
    currentElevation = addSaturated(currentElevation, autoIncrementValue);
}

std::size_t lineTagger(std::int32_t elevation, int row, int col, IntGrid& A, Reporter& reporter)
{
    if (!A.contains(row, col)) return 0;
    StackFlood flood(A.rows(), A.cols());
    std::vector<Cell> reached;
    auto isLine = [&](int r, int c) { return A(r, c) != kBackground; };
    flood.run(row, col, isLine, isLine, [&](int r, int c) { reached.push_back({r, c}); });
    reporter.log("Line tagged elevation:  " + std::to_string(elevation));
    for (const Cell& cell : reached) A(cell.row, cell.col) = elevation;
    return reached.size();
}

TagOutcome tagAt(int x, int y, MouseButton button, const Grid<std::uint32_t>& displayed, int zoomFactor,
                 IntGrid& elevationArray, TaggingState& state, const std::function<void()>& saveUndo,
                 Reporter& reporter)
{
    if (button == MouseButton::Right) state.stepBack();
    reporter.log("  ");

    TagOutcome outcome;
    auto tag = [&](int cx, int cy) {
        if (saveUndo) saveUndo();
        const Cell seed = cellUnder(evenBelow(cx), evenBelow(cy), zoomFactor);
        lineTagger(state.currentElevation, seed.row, seed.col, elevationArray, reporter);
        outcome = {true, state.currentElevation};
        if (state.autoIncrement) state.stepForward();
    };

    const int width = displayed.cols(), height = displayed.rows();
    if (onLine(displayed, x, y)) tag(x, y);
    else if (x + 1 < width && onLine(displayed, x + 1, y)) tag(x + 1, y);
    else if (x - 1 > 0 && onLine(displayed, x - 1, y)) tag(x - 1, y);
    else if (y + 1 < height && onLine(displayed, x, y + 1)) tag(x, y + 1);

    if (y - 1 < 1) reporter.log("Missed line.");
    else if (!outcome.tagged && onLine(displayed, x, y - 1)) tag(x, y - 1);
    return outcome;
}

ElevationQuery showElevationAt(int x, int y, int zoomFactor, const IntGrid& elevationArray, Reporter& reporter)
{
    const Cell cell = cellUnder(x, y, zoomFactor);
    if (!elevationArray.contains(cell.row, cell.col)) return {};
    const std::int32_t v = elevationArray(cell.row, cell.col);
    if (v == kBackground) {
        reporter.log("Elevation value is:  0");
        reporter.log("  ");
        return {};
    }
    reporter.log("Elevation value is:  " + std::to_string(v));
    return {true, v};
}

const std::vector<std::string>& elevationRangeErrorLines()
{
    static const std::vector<std::string> lines = {"Elevation values must be between -1000 and 30000.  ",
                                                   "Please try again!"};
    return lines;
}

bool elevationInRange(std::int32_t elevation) { return elevation >= -1000 && elevation <= 30000; }

PanelSubmitResult submitElevationPanel(TaggingState& state, std::string_view elevationText, bool autoIncrementChecked,
                                       std::string_view incrementText)
{
    if (isEmptyText(elevationText)) return PanelSubmitResult::ElevationRefused;
    const auto elevation = parseIntText(elevationText);
    if (!elevation) return PanelSubmitResult::NotAnInteger;
    if (!elevationInRange(*elevation)) return PanelSubmitResult::ElevationRefused;
    state.currentElevation = *elevation;
    state.lastSubmitted = *elevation;
    if (!autoIncrementChecked) {
        state.autoIncrement = false;
        return PanelSubmitResult::Accepted;
    }
    if (isEmptyText(incrementText)) return PanelSubmitResult::IncrementEmpty;
    const auto increment = parseIntText(incrementText);
    if (!increment) return PanelSubmitResult::NotAnInteger;
    state.autoIncrementValue = *increment;
    state.autoIncrement = true;
    return PanelSubmitResult::Accepted;
}

std::int32_t reloadLast(TaggingState& state)
{
    state.lastSubmitted = state.currentElevation;
    state.stepBack();
    return state.currentElevation;
}

std::int32_t resumeElevation(TaggingState& state)
{
    state.currentElevation = state.lastSubmitted;
    return state.currentElevation;
}
