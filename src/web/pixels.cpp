// Window-space primitives as whole pixels: see pixels.h.

#include "pixels.h"

#include <algorithm>
#include <cmath>

namespace glweb {
namespace {

int floorOf(double x) { return static_cast<int>(std::floor(x)); }
int ceilOf(double x) { return static_cast<int>(std::ceil(x)); }

// Adds a pixel to the last run where it extends it along a row or up a
// column, so that a line or a bitmap's row costs one run, not one a pixel.
void append(std::vector<PixelRun> &out, const PixelRun &p) {
  PixelRun *q = out.empty() ? nullptr : &out.back();
  if (q != nullptr && q->y0 == p.y0 && q->y1 == p.y1 && (q->x1 == p.x0 || p.x1 == q->x0)) {
    q->x0 = std::min(q->x0, p.x0), q->x1 = std::max(q->x1, p.x1);
  } else if (q != nullptr && q->x0 == p.x0 && q->x1 == p.x1 && (q->y1 == p.y0 || p.y1 == q->y0)) {
    q->y0 = std::min(q->y0, p.y0), q->y1 = std::max(q->y1, p.y1);
  } else {
    out.push_back(p);
  }
}

}  // namespace

void segmentPixels(float ax, float ay, float bx, float by, Stipple &stipple, std::vector<PixelRun> &out) {
  const bool vertical = std::fabs(by - ay) > std::fabs(bx - ax);
  // u runs along the segment, v across it; the ends may differ in v by
  // rounding alone.
  const double ua = vertical ? ay : ax, ub = vertical ? by : bx;
  const double v = vertical ? (ax + bx) / 2.0 : (ay + by) / 2.0;
  const int across = floorOf(v);
  // The segment crosses its row's diamonds within r of their centres. One
  // lying on the row's edge is taken a hair inside, as GL lets endpoints be
  // nudged off such edges.
  const double r = std::max(0.5 - std::fabs(v - across - 0.5), 1e-6);
  const int first = floorOf(std::min(ua, ub) - 0.5 - r) + 1, last = ceilOf(std::max(ua, ub) - 0.5 + r) - 1;
  const int end = floorOf(ub);
  const bool endsInside = std::fabs(ub - end - 0.5) < r;
  const int step = ub >= ua ? 1 : -1;
  for (int i = step > 0 ? first : last; step > 0 ? i <= last : i >= first; i += step) {
    if (endsInside && i == end) break;  // the last one in either direction
    const bool drawn =
        !stipple.enabled || ((stipple.pattern >> (stipple.counter / stipple.factor % 16)) & 1u);
    ++stipple.counter;
    if (drawn)
      append(out, vertical ? PixelRun{across, i, across + 1, i + 1} : PixelRun{i, across, i + 1, across + 1});
  }
}

PixelRun pointPixel(float x, float y) {
  const int i = floorOf(x), j = floorOf(y);
  return {i, j, i + 1, j + 1};
}

void bitmapPixels(int x, int y, int width, int height, const unsigned char *bits,
                  std::vector<PixelRun> &out) {
  const int rowBytes = (width + 7) / 8;
  for (int row = 0; row < height; ++row) {
    for (int col = 0; col < width; ++col) {
      if ((bits[row * rowBytes + col / 8] >> (7 - col % 8)) & 1)
        append(out, {x + col, y + row, x + col + 1, y + row + 1});
    }
  }
}

}  // namespace glweb
