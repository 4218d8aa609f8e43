#include "graphics/LinePattern.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

namespace linepattern {
namespace {

using Picture = std::array<std::string_view, 5>;

/// A template drawn as five rows: 'E' equal, 'D' differ, anything else free.
Template drawn(const Picture& rows)
{
    Template t;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c) {
            if (rows[std::size_t(r)][std::size_t(c)] == 'E') t.equal |= bit(r - 2, c - 2);
            if (rows[std::size_t(r)][std::size_t(c)] == 'D') t.differ |= bit(r - 2, c - 2);
        }
    return t;
}

/// The template under one of the eight symmetries of the square.
Template transformed(const Template& t, int symmetry)
{
    auto map = [symmetry](std::uint32_t mask) {
        std::uint32_t out = 0;
        for (int r = -2; r <= 2; ++r)
            for (int c = -2; c <= 2; ++c) {
                if (!(mask & bit(r, c))) continue;
                int nr = r, nc = c;
                for (int k = 0; k < (symmetry & 3); ++k) std::tie(nr, nc) = std::pair(nc, -nr);   // quarter turns
                if (symmetry & 4) nc = -nc;                                                      // mirror
                out |= bit(nr, nc);
            }
        return out;
    };
    return {map(t.equal), map(t.differ)};
}

constexpr bool inner(int r, int c) { return r >= -1 && r <= 1 && c >= -1 && c <= 1; }

/// Short pieces: for each set S of the eight neighbours, S equal and every other
/// window cell touching the piece {centre} + S differs.
void addShortPieces(std::vector<Template>& out)
{
    static constexpr int dr[8] = {-1, -1, -1, 0, 0, 1, 1, 1};
    static constexpr int dc[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
    for (int s = 0; s < 256; ++s) {
        Template t;
        for (int k = 0; k < 8; ++k)
            if (s & (1 << k)) t.equal |= bit(dr[k], dc[k]);
        const std::uint32_t piece = t.equal | bit(0, 0);
        for (int r = -2; r <= 2; ++r)
            for (int c = -2; c <= 2; ++c) {
                if (piece & bit(r, c)) continue;
                bool touches = false;
                for (int a = -1; a <= 1 && !touches; ++a)
                    for (int b = -1; b <= 1 && !touches; ++b)
                        touches = inner(r + a, c + b) && (piece & bit(r + a, c + b));
                if (touches) t.differ |= bit(r, c);
            }
        out.push_back(t);
    }
}

std::vector<Template> baseTextures()
{
    std::vector<Template> base;
    // Dotted line along a column: the dots two rows away, the rows between empty.
    base.push_back(drawn({"..E..", "DDDDD", ".....", "DDDDD", "..E.."}));
    // Horizontal hatching two rows apart: a run of two on each neighbouring line.
    for (int a = 0; a < 4; ++a)
        for (int b = 0; b < 4; ++b) {
            std::string top = ".....", bottom = ".....";
            top[std::size_t(a)] = top[std::size_t(a) + 1] = 'E';
            bottom[std::size_t(b)] = bottom[std::size_t(b) + 1] = 'E';
            base.push_back(drawn({top, "DDDDD", ".....", "DDDDD", bottom}));
        }
    // 45-degree hatching three steps apart, and a dotted diagonal (dots two steps apart).
    base.push_back(drawn({"EDDE.", "DEDDE", "DD.DD", "EDDED", ".EDDE"}));
    base.push_back(drawn({".DD.E", "D.DD.", "DD.DD", ".DD.D", "E.DD."}));
    return base;
}

std::vector<Template> buildTemplates()
{
    std::vector<Template> list;
    addShortPieces(list);
    for (const Template& t : baseTextures())
        for (int symmetry = 0; symmetry < 8; ++symmetry) {
            const Template s = transformed(t, symmetry);
            if (std::find(list.begin(), list.end(), s) == list.end()) list.push_back(s);
        }
    return list;
}

constexpr std::uint32_t kInnerRing = bit(-1, -1) | bit(-1, 0) | bit(-1, 1) | bit(0, -1) | bit(0, 1) | bit(1, -1) |
                                     bit(1, 0) | bit(1, 1);

/// The inner ring of a window as 8 bits: the bucket key.
int innerKey(std::uint32_t mask)
{
    static constexpr int dr[8] = {-1, -1, -1, 0, 0, 1, 1, 1};
    static constexpr int dc[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
    int key = 0;
    for (int k = 0; k < 8; ++k)
        if (mask & bit(dr[k], dc[k])) key |= 1 << k;
    return key;
}

/// For each inner-ring pattern, the templates that agree with it there.
struct Buckets {
    std::array<std::vector<Template>, 256> byInner;

    Buckets()
    {
        for (int key = 0; key < 256; ++key) {
            std::uint32_t innerEqual = 0;
            for (int r = -1; r <= 1; ++r)
                for (int c = -1; c <= 1; ++c)
                    if ((r || c) && (innerKey(bit(r, c)) & key)) innerEqual |= bit(r, c);
            for (const Template& t : templates())
                if ((t.equal & kInnerRing & ~innerEqual) == 0 && (t.differ & innerEqual) == 0)
                    byInner[std::size_t(key)].push_back(t);
        }
    }
};

} // namespace

const std::vector<Template>& templates()
{
    static const std::vector<Template> list = buildTemplates();
    return list;
}

bool matchesAnyTemplate(std::uint32_t equalMask)
{
    static const Buckets buckets;
    for (const Template& t : buckets.byInner[std::size_t(innerKey(equalMask))])
        if ((equalMask & t.equal) == t.equal && (equalMask & t.differ) == 0) return true;
    return false;
}

} // namespace linepattern
