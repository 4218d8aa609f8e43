#include "formats/ExportScaling.h"

#include "app/core/GridOps.h"

std::int32_t LinearScale::operator()(std::int32_t v) const
{
    return gridops::truncToInt(double(v) * double(slope) + double(intercept));
}

LinearScale exportScale(const IntGrid& grid, float top, Reporter& reporter, ScaleLines lines)
{
    const std::int32_t max = gridops::maximum(grid), min = gridops::minimum(grid);
    if (lines == ScaleLines::Tga) {
        reporter.log("Max elevation:  " + std::to_string(max));
        reporter.log("Min elevation:  " + std::to_string(min));
    }
    std::int64_t range = std::int64_t(max) - std::int64_t(min);
    if (range == 0) {
        reporter.log(kFlatRangeWarning);
        range = 1;
    }
    LinearScale s;
    s.slope = top / float(range);
    s.intercept = float(double(top) - double(max) * double(s.slope));
    if (lines == ScaleLines::Tga) {
        reporter.log("Elevation range:  " + std::to_string(range));
        reporter.log("Slope value:  " + formatSignificant(s.slope));
        reporter.log("Intercept value:  " + formatSignificant(s.intercept));
    } else {
        reporter.log("elevrange is:  " + std::to_string(range));
        reporter.log("Colormap slope value: " + formatSignificant(s.slope));
        reporter.log("Colormap intercept value:  " + formatSignificant(s.intercept));
        reporter.log("  ");
    }
    return s;
}

bool fitsSixteenBitSize(int rows, int cols, Reporter& reporter)
{
    if (rows <= 65535 && cols <= 65535) return true;
    reporter.log(kSizeTooLargeLine);
    return false;
}
