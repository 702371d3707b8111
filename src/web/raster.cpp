// Which pixels a line or a triangle covers, decided here rather than by the
// browser's rasteriser (whose grid is 1/16 pixel), so that they come out as
// Mesa's llvmpipe draws them on the desktop, on its grid of 1/256 pixel:
// lines clipped to the view volume as its draw module clips them, stippled
// as it stipples them, and set up as llvmpipe's line setup does it, float
// for float; triangles covered by its edge functions and fill rule.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "raster.h"

namespace glweb {
namespace {

constexpr int kFixedOrder = 8;
constexpr int kFixedOne = 1 << kFixedOrder;

// A line's end in window coordinates (y downwards), with its depth and how
// far along the segment it lies.
struct End {
  float x, y, z, along;
};

int snap(float a) { return static_cast<int>(std::lrint(kFixedOne * a)); }

bool sign(float x) { return x >= 0; }

float fracf(float f) { return f - std::floor(f); }

// llvmpipe's try_setup_line for a line one pixel wide, not rectangular, its
// pixel centres half a pixel in, the bottom-left fill rule of a window whose
// y grows downwards.
void setUp(const End &first, const End &second, int height, std::vector<LineFragment> &out) {
  const End *v1 = &first, *v2 = &second;
  float dx = v1->x - v2->x;
  float dy = v1->y - v2->y;
  const float area = dx * dx + dy * dy;
  if (area == 0) return;
  const float oneOverArea = 1.0f / area;
  float infoDx = dx, infoDy = dy;
  const End *info1 = v1;

  float xOffset = 0, yOffset = 0, xOffsetEnd = 0, yOffsetEnd = 0;
  float x1diff = v1->x - std::floor(v1->x) - 0.5f;
  float y1diff = v1->y - std::floor(v1->y) - 0.5f;
  float x2diff = v2->x - std::floor(v2->x) - 0.5f;
  float y2diff = v2->y - std::floor(v2->y) - 0.5f;
  const int fixedWidth = kFixedOne;
  bool drawStart, drawEnd;
  int x[4], y[4];
  const bool xMajor = std::fabs(dx) >= std::fabs(dy);
  if (xMajor) {
    const float dydx = dy / dx;
    if (y2diff == -0.5f && dy < 0) y2diff = 0.5f;
    if (std::fabs(x1diff) + std::fabs(y1diff) < 0.5f) {
      drawStart = true;
    } else if (sign(x1diff) == sign(-dx)) {
      drawStart = false;
    } else if (sign(-y1diff) != sign(dy)) {
      drawStart = true;
    } else {
      const float yintersect = fracf(v1->y) + x1diff * dydx;
      drawStart = yintersect < 1.0f && yintersect > 0.0f;
    }
    if (std::fabs(x2diff) + std::fabs(y2diff) < 0.5f) {
      drawEnd = false;
    } else if (sign(x2diff) != sign(-dx)) {
      drawEnd = false;
    } else if (sign(-y2diff) == sign(dy)) {
      drawEnd = true;
    } else {
      const float yintersect = fracf(v2->y) + x2diff * dydx;
      drawEnd = yintersect < 1.0f && yintersect > 0.0f;
    }
    const bool willDrawStart = sign(-x1diff) != sign(dx);
    const bool willDrawEnd = (sign(x2diff) == sign(-dx)) || x2diff == 0;
    infoDx *= 1 + dydx * dydx;
    infoDy = 0;
    if (dx < 0) {
      std::swap(v1, v2);
      dx = -dx;
      dy = -dy;
      if (willDrawStart != drawStart) {
        xOffsetEnd = -x1diff - 0.5f;
        yOffsetEnd = xOffsetEnd * dydx;
      }
      if (willDrawEnd != drawEnd) {
        xOffset = -x2diff - 0.5f;
        yOffset = xOffset * dydx;
      }
    } else {
      if (willDrawStart != drawStart) {
        xOffset = -x1diff + 0.5f;
        yOffset = xOffset * dydx;
      }
      if (willDrawEnd != drawEnd) {
        xOffsetEnd = -x2diff + 0.5f;
        yOffsetEnd = xOffsetEnd * dydx;
      }
    }
    x[0] = x[3] = snap(v1->x + xOffset - 0.5f);
    x[1] = x[2] = snap(v2->x + xOffsetEnd - 0.5f);
    y[0] = snap(v1->y + yOffset - 0.5f) - fixedWidth / 2;
    y[1] = snap(v2->y + yOffsetEnd - 0.5f) - fixedWidth / 2;
    y[2] = snap(v2->y + yOffsetEnd - 0.5f) + fixedWidth / 2;
    y[3] = snap(v1->y + yOffset - 0.5f) + fixedWidth / 2;
  } else {
    const float dxdy = dx / dy;
    if (x2diff == -0.5f && dx < 0) x2diff = 0.5f;
    if (std::fabs(x1diff) + std::fabs(y1diff) < 0.5f) {
      drawStart = true;
    } else if (sign(-y1diff) == sign(dy)) {
      drawStart = false;
    } else if (sign(x1diff) != sign(-dx)) {
      drawStart = true;
    } else {
      const float xintersect = fracf(v1->x) + y1diff * dxdy;
      drawStart = xintersect < 1.0f && xintersect > 0.0f;
    }
    if (std::fabs(x2diff) + std::fabs(y2diff) < 0.5f) {
      drawEnd = false;
    } else if (sign(-y2diff) != sign(dy)) {
      drawEnd = false;
    } else if (sign(x2diff) == sign(-dx)) {
      drawEnd = true;
    } else {
      const float xintersect = fracf(v2->x) + y2diff * dxdy;
      drawEnd = xintersect < 1.0f && xintersect >= 0.0f;
    }
    const bool willDrawStart = sign(y1diff) == sign(dy);
    const bool willDrawEnd = (sign(-y2diff) == sign(dy)) || y2diff == 0;
    infoDx = 0;
    infoDy *= 1 + dxdy * dxdy;
    if (dy > 0) {
      std::swap(v1, v2);
      dx = -dx;
      dy = -dy;
      if (willDrawStart != drawStart) {
        yOffsetEnd = -y1diff + 0.5f;
        xOffsetEnd = yOffsetEnd * dxdy;
      }
      if (willDrawEnd != drawEnd) {
        yOffset = -y2diff + 0.5f;
        xOffset = yOffset * dxdy;
      }
    } else {
      if (willDrawStart != drawStart) {
        yOffset = -y1diff - 0.5f;
        xOffset = yOffset * dxdy;
      }
      if (willDrawEnd != drawEnd) {
        yOffsetEnd = -y2diff - 0.5f;
        xOffsetEnd = yOffsetEnd * dxdy;
      }
    }
    x[0] = snap(v1->x + xOffset - 0.5f) - fixedWidth / 2;
    x[1] = snap(v2->x + xOffsetEnd - 0.5f) - fixedWidth / 2;
    x[2] = snap(v2->x + xOffsetEnd - 0.5f) + fixedWidth / 2;
    x[3] = snap(v1->x + xOffset - 0.5f) + fixedWidth / 2;
    y[0] = y[3] = snap(v1->y + yOffset - 0.5f);
    y[1] = y[2] = snap(v2->y + yOffsetEnd - 0.5f);
  }

  // The four edges of the parallelogram, as half-plane constants: a pixel
  // is drawn where all four are positive at its sample point.
  std::int64_t c[4], dcdx[4], dcdy[4];
  for (int i = 0; i < 4; ++i) {
    const int j = (i + 1) % 4;
    dcdy[i] = x[i] - x[j];
    dcdx[i] = y[i] - y[j];
    c[i] = dcdx[i] * x[i] - dcdy[i] * y[i];
    if (dcdx[i] < 0 || (dcdx[i] == 0 && dcdy[i] < 0)) ++c[i];
    dcdx[i] *= kFixedOne;
    dcdy[i] *= kFixedOne;
  }
  auto inside = [&](int px, int py) {
    for (int i = 0; i < 4; ++i) {
      if (c[i] - dcdx[i] * px + dcdy[i] * py <= 0) return false;
    }
    return true;
  };

  // Shading and depth vary along the major axis only.
  auto plane = [&](float a1, float a2, int px, int py) {
    const float da = a1 - a2;
    const float dadx = da * infoDx * oneOverArea, dady = da * infoDy * oneOverArea;
    const float a0 = a1 - (dadx * (info1->x - 0.5f) + dady * (info1->y - 0.5f));
    return a0 + dadx * px + dady * py;
  };
  const End *i2 = info1 == &first ? &second : &first;

  // The pixels the bounding box holds, looked for a pixel either side of
  // the line's middle across each column (row) of it.
  const int minX = std::min(std::min(x[0], x[1]), std::min(x[2], x[3]));
  const int maxX = std::max(std::max(x[0], x[1]), std::max(x[2], x[3]));
  const int minY = std::min(std::min(y[0], y[1]), std::min(y[2], y[3]));
  const int maxY = std::max(std::max(y[0], y[1]), std::max(y[2], y[3]));
  const int x0 = (minX + kFixedOne - 1) >> kFixedOrder, x1 = ((maxX + kFixedOne - 1) >> kFixedOrder) - 1;
  const int y0 = (minY + kFixedOne) >> kFixedOrder, y1 = ((maxY + kFixedOne) >> kFixedOrder) - 1;
  const int along0 = xMajor ? x0 : y0, along1 = xMajor ? x1 : y1;
  for (int a = along0; a <= along1; ++a) {
    // The middle of the parallelogram across this column (row).
    const double t = (xMajor ? (a * kFixedOne - x[0]) / static_cast<double>(x[1] - x[0] == 0 ? 1 : x[1] - x[0])
                             : (a * kFixedOne - y[0]) / static_cast<double>(y[1] - y[0] == 0 ? 1 : y[1] - y[0]));
    const double middle = xMajor ? (y[0] + fixedWidth / 2 + t * (y[1] - y[0])) / kFixedOne
                                 : (x[0] + fixedWidth / 2 + t * (x[1] - x[0])) / kFixedOne;
    const int centre = static_cast<int>(std::floor(middle));
    for (int across = centre - 1; across <= centre + 1; ++across) {
      const int px = xMajor ? a : across, py = xMajor ? across : a;
      if (px < 0 || py < 0 || py >= height || !inside(px, py)) continue;
      out.push_back({px, height - 1 - py, plane(info1->z, i2->z, px, py), plane(info1->along, i2->along, px, py)});
    }
  }
}

End interpolate(const End &a, const End &b, float t) {
  return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z), a.along + t * (b.along - a.along)};
}

// The draw module's stipple stage: the counter steps once per whole pixel
// of the line's length along its major axis, rounded up, and each run of
// set bits goes on as a line of its own.
void stipple(const End &a, const End &b, const Stipple &pattern, int &counter, int height,
             std::vector<LineFragment> &out) {
  const float dx = a.x > b.x ? a.x - b.x : b.x - a.x;
  const float dy = a.y > b.y ? a.y - b.y : b.y - a.y;
  const float length = std::fmax(dx, dy);
  const int steps = std::isfinite(length) ? static_cast<int>(std::ceil(length)) : 0;
  bool on = false;
  float start = 0;
  for (int i = 0; i < steps; ++i) {
    const bool bit = (pattern.pattern >> (((counter + i) / pattern.factor) & 15)) & 1;
    if (bit != on) {
      if (on) {
        const float t0 = start / length, t1 = i / length;
        setUp(t0 > 0 ? interpolate(a, b, t0) : a, t1 < 1 ? interpolate(a, b, t1) : b, height, out);
      } else {
        start = static_cast<float>(i);
      }
      on = bit;
    }
  }
  if (on && start < length) {
    const float t0 = start / length;
    setUp(t0 > 0 ? interpolate(a, b, t0) : a, b, height, out);
  }
  counter += steps;
}

// The distance inside each clip plane: left, right, bottom, top, near, far.
float clipDistance(const float *clip, int plane) {
  const float coordinate = clip[plane / 2];
  return plane % 2 == 0 ? coordinate + clip[3] : clip[3] - coordinate;
}

unsigned outsideMask(const float *clip) {
  unsigned mask = 0;
  for (int plane = 0; plane < 6; ++plane) {
    const float coordinate = clip[plane / 2];
    const bool outside = plane % 2 == 0 ? 0 > coordinate + clip[3] : coordinate > clip[3];
    mask |= outside ? 1u << plane : 0u;
  }
  return mask;
}

}  // namespace

// As llvmpipe's vertex stage maps a vertex: the divide, then a fused
// multiply-add.
std::array<float, 3> toWindow(const float *clip, const Viewport &viewport) {
  const float oow = 1.0f / clip[3];
  std::array<float, 3> w;
  for (int i = 0; i < 3; ++i) w[i] = std::fma(clip[i] * oow, viewport.scale[i], viewport.translate[i]);
  return w;
}

// llvmpipe's triangle setup: the corners snapped, turned counter-clockwise,
// three edge functions with the bottom-left fill rule, and the rows of the
// bounding box walked for the pixels all three hold.
void coverTriangle(const std::array<float, 3> *corners, int width, int height, std::vector<Span> &out) {
  std::int64_t x[3], y[3];
  for (int i = 0; i < 3; ++i) {
    x[i] = snap(corners[i][0] - 0.5f);
    y[i] = snap(corners[i][1] - 0.5f);
  }
  const std::int64_t area = (x[0] - x[1]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[0] - y[1]);
  if (area == 0) return;
  if (area < 0) {
    std::swap(x[0], x[1]);
    std::swap(y[0], y[1]);
  }
  std::int64_t c[3], dcdx[3], dcdy[3];
  for (int i = 0; i < 3; ++i) {
    const int j = (i + 1) % 3;
    dcdy[i] = x[i] - x[j];
    dcdx[i] = y[i] - y[j];
    c[i] = dcdx[i] * x[i] - dcdy[i] * y[i];
    if (dcdx[i] < 0 || (dcdx[i] == 0 && dcdy[i] < 0)) ++c[i];
  }
  const std::int64_t minX = std::min({x[0], x[1], x[2]}), maxX = std::max({x[0], x[1], x[2]});
  const std::int64_t minY = std::min({y[0], y[1], y[2]}), maxY = std::max({y[0], y[1], y[2]});
  const int x0 = std::max<int>(0, static_cast<int>(minX >> kFixedOrder));
  const int x1 = std::min<int>(width - 1, static_cast<int>((maxX - 1) >> kFixedOrder));
  const int y0 = std::max<int>(0, static_cast<int>((minY + 1) >> kFixedOrder));
  const int y1 = std::min<int>(height - 1, static_cast<int>(maxY >> kFixedOrder));
  // floor(a / b) for b > 0.
  auto floorDiv = [](std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
  for (int py = y0; py <= y1; ++py) {
    std::int64_t from = x0, to = x1;
    for (int i = 0; i < 3; ++i) {
      // Inside where a - b px > 0.
      const std::int64_t a = c[i] + dcdy[i] * kFixedOne * py, b = dcdx[i] * kFixedOne;
      if (b > 0) {
        to = std::min(to, floorDiv(a - 1, b));
      } else if (b < 0) {
        from = std::max(from, floorDiv(-a, -b) + 1);  // with b < 0: px > a / b
      } else if (a <= 0) {
        to = from - 1;
      }
    }
    if (from <= to) out.push_back({py, static_cast<int>(from), static_cast<int>(to)});
  }
}

void rasteriseSegment(const float *clipA, const float *clipB, float alongA, float alongB,
                      const Viewport &viewport, const Stipple *pattern, int &counter,
                      std::vector<LineFragment> &out) {
  const float *scale = viewport.scale, *translate = viewport.translate;
  auto mapped = [&](const float *clip, float along) {
    const std::array<float, 3> w = toWindow(clip, viewport);
    return End{w[0], w[1], w[2], along};
  };
  const unsigned maskA = outsideMask(clipA), maskB = outsideMask(clipB);
  if (maskA & maskB) return;
  End a = mapped(clipA, alongA), b = mapped(clipB, alongB);
  if (maskA | maskB) {
    // The clip stage: the ends moved in along the line, and mapped again in
    // plain multiplies and adds.
    float t0 = 0, t1 = 0;
    for (unsigned mask = maskA | maskB; mask != 0; mask &= mask - 1) {
      const int plane = __builtin_ctz(mask);
      const float d0 = clipDistance(clipA, plane), d1 = clipDistance(clipB, plane);
      if (!std::isfinite(d0) || !std::isfinite(d1)) return;
      if (d1 < 0) t1 = std::fmax(t1, d1 / (d1 - d0));
      if (d0 < 0) t0 = std::fmax(t0, d0 / (d0 - d1));
      if (t0 + t1 >= 1.0f) return;
    }
    auto moved = [&](const float *out, const float *in, float t, float alongOut, float alongIn) {
      float clip[4];
      for (int i = 0; i < 4; ++i) clip[i] = out[i] + t * (in[i] - out[i]);
      const float oow = 1.0f / clip[3];
      return End{clip[0] * oow * scale[0] + translate[0], clip[1] * oow * scale[1] + translate[1],
                 clip[2] * oow * scale[2] + translate[2], alongOut + t * (alongIn - alongOut)};
    };
    if (maskA != 0) a = moved(clipA, clipB, t0, alongA, alongB);
    if (maskB != 0) b = moved(clipB, clipA, t1, alongB, alongA);
  }
  if (pattern != nullptr) {
    stipple(a, b, *pattern, counter, viewport.height, out);
  } else {
    setUp(a, b, viewport.height, out);
  }
}

}  // namespace glweb
