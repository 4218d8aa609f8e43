// The line-texture templates of "Line Pattern".
//
// Each template is a list of 5 x 5 conditions around a pixel: cells that must
// hold the pixel's own value ("equal") and cells that must not ("differ"). A
// pixel that matches any template is erased. The list is built once from a
// few drawn base patterns and all their rotations and reflections:
//
// - short pieces: the pixel's 8-connected piece of its own value lies inside
//   its 3 x 3 neighbourhood (every window cell next to the piece differs):
//   dots, two-pixel dashes and the middles of three-pixel dashes, whatever
//   else the window holds. The ends of a three-pixel dash are single dots
//   after one pass and go with the next;
// - dotted lines: equal pixels two cells away on both sides along a row,
//   column or diagonal, with every cell between differing;
// - hatching: the pixel between parallel hatch lines on both sides, two rows
//   (or columns) away, or three steps away across a 45-degree hatch; the two
//   outermost lines of a hatched band stay.
//
// The guarantee: every template either demands a "differ" barrier that cuts
// the pixel off from one of its "equal" cells inside the window, or demands
// that the pixel's piece stay off the window's outer ring. So a pixel whose
// same-valued cells in its window form one 8-connected piece reaching the
// window's edge is never erased: a continuous line, alone in its 5 x 5
// neighbourhood, keeps every pixel, whatever its direction or curvature.
#pragma once

#include <cstdint>
#include <vector>

namespace linepattern {

struct Template {
    std::uint32_t equal = 0;    ///< cells that must hold the centre's value
    std::uint32_t differ = 0;   ///< cells that must not
    friend bool operator==(const Template&, const Template&) = default;
};

/// The bit of window cell (dr, dc), each -2 .. 2; the centre is bit(0, 0).
constexpr std::uint32_t bit(int dr, int dc) { return 1u << ((dr + 2) * 5 + (dc + 2)); }

/// The fixed template list.
const std::vector<Template>& templates();

/// True when a window whose equal cells are the set bits of equalMask matches a template.
bool matchesAnyTemplate(std::uint32_t equalMask);

} // namespace linepattern
