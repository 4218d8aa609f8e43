#include "graphics/LineCleaning.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "graphics/StackFlood.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr std::int32_t kBackground = 255;
constexpr std::int32_t kWhite = 0xFFFFFF;

/// The interior line pixels with exactly one neighbour of their own value.
ByteGrid findEndpoints(const IntGrid& A)
{
    ByteGrid endpoint(A.rows(), A.cols(), 0);
    for (int r = 1; r + 1 < A.rows(); ++r)
        for (int c = 1; c + 1 < A.cols(); ++c) {
            const std::int32_t v = A(r, c);
            if (v == kBackground) continue;
            int same = 0;
            for (int dr = -1; dr <= 1; ++dr)
                for (int dc = -1; dc <= 1; ++dc)
                    if ((dr || dc) && A(r + dr, c + dc) == v) ++same;
            endpoint(r, c) = same == 1;
        }
    return endpoint;
}

/// The first other endpoint in the square around (r, c), row by row from its top-left corner.
bool seekFarthestFirst(const ByteGrid& endpoint, int r, int c, int radius, Cell& found)
{
    for (int rr = r - radius; rr <= r + radius; ++rr)
        for (int cc = c - radius; cc <= c + radius; ++cc)
            if ((rr != r || cc != c) && endpoint(rr, cc)) {
                found = {rr, cc};
                return true;
            }
    return false;
}

/// The first other endpoint on the rings d = 1 .. radius, each offset scaled by 100/120.
bool seekClosestFirst(const ByteGrid& endpoint, int r, int c, int radius, Cell& found)
{
    for (int d = 1; d <= radius; ++d)
        for (int k = 0; k <= d; ++k) {
            const int a = k * 100 / 120;
            const int b = gridops::truncToInt(std::sqrt(double(d * d - k * k)) * 100 / 120);
            const Cell ring[8] = {{r + a, c + b}, {r + a, c - b}, {r - a, c + b}, {r - a, c - b},
                                  {r + b, c + a}, {r + b, c - a}, {r - b, c + a}, {r - b, c - a}};
            for (const Cell& p : ring)
                if ((p.row != r || p.col != c) && endpoint(p.row, p.col)) {
                    found = p;
                    return true;
                }
        }
    return false;
}

} // namespace

bool searchRadiusValid(int radius) { return radius >= 1 && radius <= 99; }
bool pixelLimitValid(int limit) { return limit >= 1; }

int connectLines(IntGrid& A, int radius, SearchOrder order, Reporter& reporter)
{
    ByteGrid endpoint = findEndpoints(A);
    const int R = A.rows(), C = A.cols();
    int joins = 0;
    reporter.progressStart(radius, std::max(radius, R - radius));
    for (int r = radius; r < R - radius; ++r) {
        for (int c = radius; c < C - radius; ++c) {
            if (!endpoint(r, c)) continue;
            Cell other;
            const bool found = order == SearchOrder::FarthestFirst ? seekFarthestFirst(endpoint, r, c, radius, other)
                                                                   : seekClosestFirst(endpoint, r, c, radius, other);
            if (!found) continue;
            gridops::drawLine(A, c, r, other.col, other.row, std::int32_t(0));
            endpoint(r, c) = 0;
            endpoint(other.row, other.col) = 0;
            ++joins;
        }
        reporter.progressStep();
    }
    reporter.progressHide();
    return joins;
}

std::size_t deleteShortSegments(IntGrid& A, int limit, Reporter& reporter)
{
    const int R = A.rows(), C = A.cols();
    StackFlood flood(R, C);
    std::vector<Cell> segment;
    std::size_t deleted = 0;
    reporter.progressStart(1, std::max(1, R - 1));
    for (int r = 1; r + 1 < R; ++r) {
        for (int c = 1; c + 1 < C; ++c) {
            const std::int32_t v = A(r, c);
            if (v >= kBackground || flood.reached(r, c)) continue;
            segment.clear();
            flood.run(
                r, c, [&](int rr, int cc) { return A(rr, cc) == v; },
                [&](int rr, int cc) { return A(rr, cc) != kBackground; },
                [&](int rr, int cc) { segment.push_back({rr, cc}); });
            if (segment.size() >= std::size_t(limit)) continue;
            for (const Cell& p : segment) A(p.row, p.col) = kBackground;
            deleted += segment.size();
        }
        reporter.progressStep();
    }
    reporter.progressHide();
    return deleted;
}

std::size_t removeWeb(IntGrid& image, int row, int col)
{
    if (!image.contains(row, col)) return 0;
    const std::int32_t colour = image(row, col);
    StackFlood flood(image.rows(), image.cols());
    std::vector<Cell> web;
    auto sameColour = [&](int r, int c) { return image(r, c) == colour; };
    flood.run(row, col, sameColour, sameColour, [&](int r, int c) { web.push_back({r, c}); });
    for (const Cell& p : web) image(p.row, p.col) = kWhite;
    return web.size();
}

bool removeWebClick(IntGrid& image, ScreenPoint p, int zoomFactor, std::uint32_t displayedColour,
                    const std::function<void()>& saveUndo, Reporter& reporter)
{
    if (rgbOf(displayedColour) == std::uint32_t(kWhite)) {
        reporter.log("Missed line.");
        return false;
    }
    const Cell cell = cellUnder(p, zoomFactor);
    if (!image.contains(cell.row, cell.col)) return false;
    if (saveUndo) saveUndo();
    return removeWeb(image, cell.row, cell.col) > 0;
}

std::int32_t blankedElevation(bool elevationHoldsLineCode)
{
    return elevationHoldsLineCode ? kBackground : kWhite;
}

ClipResult clipText(IntGrid& image, IntGrid& elevation, ScreenPoint a, ScreenPoint b, int zoomFactor,
                    bool elevationHoldsLineCode)
{
    const Cell ca = cellUnder(a, zoomFactor), cb = cellUnder(b, zoomFactor);
    int r0 = std::min(ca.row, cb.row), r1 = std::max(ca.row, cb.row);
    int c0 = std::min(ca.col, cb.col), c1 = std::max(ca.col, cb.col);
    if (r0 == r1 || c0 == c1) return ClipResult::ZeroArea;
    r0 = std::max(r0, 0);
    c0 = std::max(c0, 0);
    r1 = std::min({r1, image.rows(), elevation.rows()});
    c1 = std::min({c1, image.cols(), elevation.cols()});
    const std::int32_t blank = blankedElevation(elevationHoldsLineCode);
    for (int r = r0; r < r1; ++r)
        for (int c = c0; c < c1; ++c) {
            image(r, c) = kWhite;
            elevation(r, c) = blank;
        }
    return ClipResult::Clipped;
}
