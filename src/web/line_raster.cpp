// Which pixels a line covers, decided here rather than by the browser's
// rasteriser, so that lines come out as Mesa's llvmpipe draws them on the
// desktop: its diamond-exit ends, its 1/256-pixel grid, its stipple.

#include <cmath>
#include <cstdint>
#include <vector>

#include "glut_web.h"

namespace glweb {
namespace {

constexpr int kSubpixels = 256;

// llvmpipe works with y growing downwards, its pixel centres on whole
// numbers after half a pixel is taken off, snapped to its grid.
std::int64_t snap(float v) { return std::llround((v - 0.5f) * kSubpixels); }

bool insideDiamond(float x, float y) {
  return std::fabs(x - std::floor(x) - 0.5f) + std::fabs(y - std::floor(y) - 0.5f) < 0.5f;
}

LineEnd pointBetween(const LineEnd &a, const LineEnd &b, float t) {
  return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z), a.along + t * (b.along - a.along)};
}

}  // namespace

void rasteriseLine(const LineEnd &a, const LineEnd &b, int height, std::vector<LineFragment> &out) {
  // In llvmpipe's downward y.
  const float ax = a.x, ay = height - a.y, bx = b.x, by = height - b.y;
  const float dx = bx - ax, dy = by - ay;
  const float lengthSquared = dx * dx + dy * dy;
  if (lengthSquared == 0) return;
  const bool xMajor = std::fabs(dx) >= std::fabs(dy);
  // Along the major axis p, across it q.
  const float p0 = xMajor ? ax : ay, p1 = xMajor ? bx : by;
  const float q0 = xMajor ? ay : ax, q1 = xMajor ? by : bx;
  const int step = p1 > p0 ? 1 : -1;

  // Every column (row, for a steep line) whose centre the line passes,
  // counting the start but not the end; then the diamond-exit rule: a line
  // starting inside a pixel's diamond draws that pixel, one ending inside it
  // does not.
  int first = static_cast<int>(step > 0 ? std::ceil(p0 - 0.5f) : std::floor(p0 - 0.5f));
  int last = static_cast<int>(step > 0 ? std::ceil(p1 - 0.5f) - 1 : std::floor(p1 - 0.5f) + 1);
  if (insideDiamond(ax, ay)) first = static_cast<int>(std::floor(p0));
  if (insideDiamond(bx, by) && static_cast<int>(std::floor(p1)) == last) last -= step;
  if ((last - first) * step < 0) return;

  // The row at each column, where the snapped line crosses the column's
  // centre; a centre exactly half a pixel off goes to the pixel above (left).
  const std::int64_t sp0 = snap(p0), sp1 = snap(p1), sq0 = snap(q0), sq1 = snap(q1);
  const std::int64_t span = sp1 - sp0;
  for (int c = first; c != last + step; c += step) {
    int across;
    if (span == 0) {
      across = static_cast<int>(std::ceil((sq0 - kSubpixels / 2) / static_cast<double>(kSubpixels)));
    } else {
      // q at the centre, times span, less half a pixel: ceil of it over a
      // pixel times span is the row.
      const std::int64_t numerator = sq0 * span + (c * static_cast<std::int64_t>(kSubpixels) - sp0) * (sq1 - sq0) -
                                     kSubpixels / 2 * span;
      const std::int64_t denominator = kSubpixels * span;
      std::int64_t row = numerator / denominator;
      if ((numerator % denominator != 0) && ((numerator > 0) == (denominator > 0))) ++row;
      across = static_cast<int>(row);
    }
    const int x = xMajor ? c : across, yDown = xMajor ? across : c;
    // Depth and shading follow the pixel centre's projection onto the line.
    const float t = ((x + 0.5f - ax) * dx + (yDown + 0.5f - ay) * dy) / lengthSquared;
    out.push_back({x, height - 1 - yDown, a.z + t * (b.z - a.z), a.along + t * (b.along - a.along)});
  }
}

// As llvmpipe stipples: the counter steps once per whole pixel of the line's
// length along its major axis, rounded up, and each run of set bits is drawn
// as a line of its own.
void stippleLine(const LineEnd &a, const LineEnd &b, const Stipple &stipple, int &counter, int height,
                 std::vector<LineFragment> &out) {
  const float length = std::fmax(std::fabs(b.x - a.x), std::fabs(b.y - a.y));
  const int steps = std::isfinite(length) ? static_cast<int>(std::ceil(length)) : 0;
  bool on = false;
  float start = 0;
  for (int i = 0; i < steps; ++i) {
    const bool bit = (stipple.pattern >> ((counter / stipple.factor) & 15)) & 1;
    if (bit != on) {
      if (on && start != i) {
        rasteriseLine(pointBetween(a, b, start / length), pointBetween(a, b, i / length), height, out);
      }
      if (!on) start = static_cast<float>(i);
      on = bit;
    }
    ++counter;
  }
  if (on && start < length) rasteriseLine(pointBetween(a, b, start / length), b, height, out);
}

}  // namespace glweb
