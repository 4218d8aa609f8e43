// The linear height scaling shared by the Terragen and TGA writers: the
// truncated solution's minimum and maximum (integer search) map to 0 and a top
// value (32000, 65535 or 255); slope = top / range and intercept = top - max x
// slope are held as 32-bit floats; a flat grid uses range 1 with a warning line.
// Also the 16-bit size check of their headers and a buffer that holds the log
// lines of a writer until its file is written.
#pragma once

#include "app/core/Grid.h"
#include "app/core/Reporter.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char* kFlatRangeWarning = "Warning: (maximum elevation - minimum elevation)=0!";
inline constexpr const char* kSizeTooLargeLine = "Grid size exceeds 65535 by 65535. File not written.";

struct LinearScale {
    float slope = 0.0f;
    float intercept = 0.0f;
    /// trunc(v x slope + intercept)
    std::int32_t operator()(std::int32_t v) const;
};

/// Which writer's log lines the scaling appends.
enum class ScaleLines {
    Terragen,   ///< [warning] "elevrange is:  ", "Colormap slope value: ", "Colormap intercept value:  ", "  "
    Tga,        ///< "Max elevation:  ", "Min elevation:  ", [warning], "Elevation range:  ", "Slope value:  ", "Intercept value:  "
};

LinearScale exportScale(const IntGrid& grid, float top, Reporter& reporter, ScaleLines lines);

/// False (after kSizeTooLargeLine) when rows or columns exceed a 16-bit header field.
bool fitsSixteenBitSize(int rows, int cols, Reporter& reporter);

/// Keeps log lines to replay them once the file is written.
class RecordingLines final : public Reporter {
public:
    void log(std::string_view line) override { lines_.emplace_back(line); }
    void progressStart(int, int) override {}
    void progressStep() override {}
    void progressHide() override {}
    void notice(std::string_view, std::string_view) override {}
    void completionSignal() override {}
    void replayTo(Reporter& reporter) const
    {
        for (const std::string& l : lines_) reporter.log(l);
    }

private:
    std::vector<std::string> lines_;
};
