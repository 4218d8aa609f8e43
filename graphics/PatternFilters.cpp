#include "graphics/PatternFilters.h"

#include "graphics/LinePattern.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int64_t kMaxResponse = 0xFFFFFF;

bool allNeighboursEqual(const IntGrid& g, int r, int c, std::int32_t v)
{
    for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc)
            if ((dr || dc) && g(r + dr, c + dc) != v) return false;
    return true;
}

int neighboursEqualTo(const IntGrid& g, int r, int c, std::int32_t v)
{
    int n = 0;
    for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc)
            if ((dr || dc) && g(r + dr, c + dc) == v) ++n;
    return n;
}

/// Applies decide(source, r, c) -> bool to every cell at least `border` from the edge of an
/// unchanged copy; cells where it holds become white.
template <class Decide>
void whitenWhere(IntGrid& image, int border, Decide&& decide)
{
    const IntGrid source = image;
    for (int r = border; r + border < source.rows(); ++r)
        for (int c = border; c + border < source.cols(); ++c)
            if (decide(source, r, c)) image(r, c) = kWhite;
}

} // namespace

void despeckle8(IntGrid& A)
{
    for (int r = 1; r + 1 < A.rows(); ++r)
        for (int c = 1; c + 1 < A.cols(); ++c)
            if (allNeighboursEqual(A, r, c, 255)) A(r, c) = 255;
}

void despeckle24(IntGrid& A, std::int32_t colour)
{
    for (int r = 1; r + 1 < A.rows(); ++r)
        for (int c = 1; c + 1 < A.cols(); ++c)
            if (allNeighboursEqual(A, r, c, colour)) A(r, c) = colour;
}

void blockPattern(IntGrid& image)
{
    whitenWhere(image, 1, [](const IntGrid& s, int r, int c) { return allNeighboursEqual(s, r, c, s(r, c)); });
}

void nibblePattern(IntGrid& image)
{
    whitenWhere(image, 1, [](const IntGrid& s, int r, int c) { return neighboursEqualTo(s, r, c, kWhite) > 0; });
}

bool neighbourCountValid(int count) { return count >= 1 && count <= 8; }

const std::vector<std::string>& neighbourCountErrorLines()
{
    static const std::vector<std::string> lines = {"Neighbors must be  greater than", "zero and less than  nine"};
    return lines;
}

void neighbourPattern(IntGrid& image, int count)
{
    whitenWhere(image, 1, [count](const IntGrid& s, int r, int c) { return neighboursEqualTo(s, r, c, s(r, c)) > count; });
}

std::size_t linePattern(IntGrid& image)
{
    std::size_t erased = 0;
    whitenWhere(image, 2, [&](const IntGrid& s, int r, int c) {
        const std::int32_t v = s(r, c);
        if (v == kWhite) return false;   // erasing white changes nothing
        std::uint32_t equal = 0;
        for (int dr = -2; dr <= 2; ++dr)
            for (int dc = -2; dc <= 2; ++dc)
                if (s(r + dr, c + dc) == v) equal |= linepattern::bit(dr, dc);
        const bool match = linepattern::matchesAnyTemplate(equal);
        erased += match;
        return match;
    });
    return erased;
}

void sobel(IntGrid& image, SobelMode mode)
{
    const IntGrid s = image;
    image.fill(0);
    auto clampResponse = [mode](std::int64_t g) {
        if (mode == SobelMode::Trailing) return std::clamp<std::int64_t>(g, 0, kMaxResponse);
        return std::llabs(g) > kMaxResponse ? kMaxResponse : g;
    };
    for (int r = 1; r + 1 < s.rows(); ++r)
        for (int c = 1; c + 1 < s.cols(); ++c) {
            auto v = [&](int dr, int dc) { return std::int64_t(s(r + dr, c + dc)); };
            const std::int64_t gx = -v(-1, -1) + v(-1, 1) - 2 * v(0, -1) + 2 * v(0, 1) - v(1, -1) + v(1, 1);
            const std::int64_t gy = v(-1, -1) + 2 * v(-1, 0) + v(-1, 1) - v(1, -1) - 2 * v(1, 0) - v(1, 1);
            const std::int64_t out = std::llabs(clampResponse(gx)) + std::llabs(clampResponse(gy));
            image(r, c) = out >= 1 ? kWhite : 0;
        }
}

void laplacian5x5(IntGrid& image)
{
    const IntGrid s = image;
    image.fill(0);
    for (int r = 2; r + 2 < s.rows(); ++r)
        for (int c = 2; c + 2 < s.cols(); ++c) {
            std::int64_t sum = 0;
            for (int dr = -2; dr <= 2; ++dr)
                for (int dc = -2; dc <= 2; ++dc) sum += s(r + dr, c + dc);
            const std::int64_t response = 25 * std::int64_t(s(r, c)) - sum;   // 24 x centre - the 24 others
            image(r, c) = std::int32_t(std::clamp<std::int64_t>(response, 0, kMaxResponse));
        }
}
