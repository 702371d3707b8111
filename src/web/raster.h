// Which pixels lines and triangles cover, as Mesa's llvmpipe decides it:
// the web layer's rasterisation, plain C++ with no GL of its own.
#pragma once

#include <array>
#include <vector>

namespace glweb {

// Window coordinates as Mesa's llvmpipe has them: y growing downwards from
// the window's top, a viewport as scale and translation.
struct Viewport {
  float scale[3], translate[3];
  int height;
};
std::array<float, 3> toWindow(const float *clip, const Viewport &viewport);

// A line's pixels come out in GL's window coordinates, y growing upwards,
// with their depth and how far along their line they are.
struct LineFragment {
  int x, y;
  float z, along;
};
struct Stipple {
  unsigned pattern;
  int factor;
};
// The segment between two ends in clip coordinates, `along` its line from
// alongA to alongB: clipped to the view volume, stippled when a pattern is
// given (its counter running on from `counter`), its pixels appended to
// `out`.
void rasteriseSegment(const float *clipA, const float *clipB, float alongA, float alongB, const Viewport &viewport,
                      const Stipple *pattern, int &counter, std::vector<LineFragment> &out);

// A triangle's pixels, row by row (y downwards): from x0 to x1, both drawn.
struct Span {
  int y, x0, x1;
};
// The rows of a triangle, its corners in window coordinates, within a
// window of width x height pixels.
void coverTriangle(const std::array<float, 3> *corners, int width, int height, std::vector<Span> &out);

}  // namespace glweb
