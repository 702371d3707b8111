// GLUI's pictures of the viewer's panel, one after each step of input: the
// hash (FNV-1a) of the grey levels of the panel's 159 x 105 pixels, row by
// row from the bottom, as GLUI itself draws them. tests/glui_test.cpp plays
// the steps on the panel in-process; the browser check (tests/web/) plays
// them with real input and reads this table's rows as text, one {...} a line.
//
// The events of a step, in words: T Tab, _ Space, d<x>,<y> the left button
// down at (x, y) of the panel, u<x>,<y> up there, m<x>,<y> a motion, v the
// window shown again (a page has no such event: the picture stays as it was).
//
// GLUI's pictures were taken on Mesa's llvmpipe, whose stippled lines run a
// pixel past where OpenGL's rules end them when rounding takes a line's end
// a hair off a pixel centre. Its focus mark round rows 2 and 6 shows it: the
// dots of two sides of row 2's mark fall in the gaps of the rules' pattern,
// and one dot of row 6's is missing. The last column is each picture as the
// rules draw it, as the browser layer does in every engine: GLUI's own but
// for those dots (133 pixels in row 2's mark, 1 in row 6's).
#pragma once

#include <cstdint>

struct GluiPicture {
  const char *name, *events;
  std::uint32_t hash, byGlRules;
};

inline constexpr GluiPicture kGluiPictures[] = {
    {"opened", "", 0x40f072aa, 0x40f072aa},
    {"Tab: row 1 focused", "T", 0xb858812a, 0xb858812a},
    {"row 2", "T", 0x6ec4a82a, 0x81101dea},
    {"row 3", "T", 0xcf0df72a, 0xcf0df72a},
    {"row 4", "T", 0xbf86c16a, 0xbf86c16a},
    {"row 5", "T", 0x37506d2a, 0x37506d2a},
    {"row 6", "T", 0xc7fc126a, 0x33be7aaa},
    {"none", "T", 0x40f072aa, 0x40f072aa},
    {"held on row 1's box", "d13,13", 0xb392b585, 0xb392b585},
    {"dragged off row 1", "m152,2", 0xb858812a, 0xb858812a},
    {"back onto its corner", "m146,19", 0xb392b585, 0xb392b585},
    {"released off row 1", "m152,2 u152,2", 0xb858812a, 0xb858812a},
    {"clicked row 6", "d13,93 u13,93", 0xae9cfa7d, 0x89e9b03d},
    {"shown again", "v", 0xae9cfa7d, 0x89e9b03d},
    {"Space on row 6, focused by the click", "_", 0xc7fc126a, 0x33be7aaa},
};
