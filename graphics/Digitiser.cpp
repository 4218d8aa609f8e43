#include "graphics/Digitiser.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"

#include <cmath>
#include <string>

bool Digitiser::click(ScreenPoint p)
{
    if (int(points_.size()) >= kMaxClickedPoints) return false;
    points_.push_back(p);
    return true;
}

bool Digitiser::close()
{
    const int n = int(points_.size());
    if (n == 0) return false;
    const ScreenPoint last = points_.back();
    for (int i = 0; i + 3 <= n; ++i) {
        const double dx = double(points_[i].x) - last.x, dy = double(points_[i].y) - last.y;
        if (gridops::truncToInt(std::sqrt(dx * dx + dy * dy)) < 15) {
            points_.push_back(points_[i]);
            closed_ = true;
            return true;
        }
    }
    return false;
}

void Digitiser::clear()
{
    points_.clear();
    closed_ = false;
}

std::array<ScreenPoint, 32> markerCrossPixels(ScreenPoint click)
{
    std::array<ScreenPoint, 32> pixels;
    for (int d = 1; d <= 8; ++d) {
        pixels[d - 1] = {click.x + d, click.y};
        pixels[8 + d - 1] = {click.x - d, click.y};
        pixels[16 + d - 1] = {click.x, click.y + d};
        pixels[24 + d - 1] = {click.x, click.y - d};
    }
    return pixels;
}

void drawDigitisedPolyline(Digitiser& digitiser, IntGrid& elevationArray, IntGrid& imageArray, int zoomFactor,
                           std::int32_t penColor, bool elevationHoldsLineCode)
{
    digitiser.close();
    const std::int32_t value = swapRedBlue(penColor);
    IntGrid& target = elevationHoldsLineCode ? elevationArray : imageArray;
    const auto& points = digitiser.points();
    for (std::size_t i = 1; i < points.size(); ++i) {
        const Cell a = cellUnder(points[i - 1], zoomFactor), b = cellUnder(points[i], zoomFactor);
        gridops::drawLine(target, a.col, a.row, b.col, b.row, value);
    }
    if (elevationHoldsLineCode) {
        for (int r = 0; r < imageArray.rows() && r < elevationArray.rows(); ++r)
            for (int c = 0; c < imageArray.cols() && c < elevationArray.cols(); ++c)
                imageArray(r, c) = elevationArray(r, c) < 1 ? 0 : 0xFFFFFF;
    } else {
        elevationArray = imageArray;
    }
    digitiser.clear();
}

std::int32_t swapRedBlue(std::int32_t colour)
{
    const std::uint32_t v = std::uint32_t(colour);
    return std::int32_t(((v & 0xFFu) << 16) | (v & 0xFF00u) | ((v >> 16) & 0xFFu));
}

std::int32_t elevationPenColour(std::int32_t elevation, Reporter& reporter)
{
    reporter.log(std::to_string(elevation));
    const std::int32_t pen = swapRedBlue(elevation);
    reporter.log("penColor is:  " + std::to_string(pen));
    return pen;
}

std::optional<std::int32_t> namedScreenColour(std::string_view name)
{
    // Screen colours: red in bits 0-7, green 8-15, blue 16-23.
    if (name == "Black") return 0x000000;
    if (name == "Blue") return 0xFF0000;
    if (name == "Red") return 0x0000FF;
    if (name == "Green") return 0x008000;
    if (name == "Yellow") return 0x00FFFF;
    return std::nullopt;
}
