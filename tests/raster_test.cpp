// The browser layer's rasterisation (src/web/raster.cpp), natively: which
// pixels lines and triangles cover, in a 128 x 128 window whose viewport maps
// these tests' clip coordinates to window coordinates without rounding.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "web/raster.h"

namespace {

using glweb::LineFragment;
using glweb::Span;
using Pixel = std::pair<int, int>;  // x, and y counted from the top

constexpr int kSide = 128;
const glweb::Viewport kViewport = {{64, -64, 0.5f}, {64, 64, 0.5f}, kSide};

// Clip coordinates of a window point (y from the top).
std::vector<float> clipAt(float x, float y) { return {(x - 64) / 64, (y - 64) / -64, 0, 1}; }

std::vector<Pixel> line(float x0, float y0, float x1, float y1, const glweb::Stipple *stipple = nullptr,
                        int *counter = nullptr) {
  std::vector<LineFragment> out;
  int unused = 0;
  const std::vector<float> a = clipAt(x0, y0), b = clipAt(x1, y1);
  glweb::rasteriseSegment(a.data(), b.data(), 0, 1, kViewport, stipple, counter ? *counter : unused, out);
  std::vector<Pixel> pixels;
  for (const LineFragment &f : out) pixels.push_back({f.x, kSide - 1 - f.y});
  return pixels;
}

std::multiset<Pixel> cover(const std::vector<std::array<float, 3>> &triangles) {
  std::multiset<Pixel> covered;
  for (std::size_t t = 0; t + 2 < triangles.size(); t += 3) {
    std::vector<Span> spans;
    glweb::coverTriangle(&triangles[t], kSide, kSide, spans);
    for (const Span &s : spans) {
      for (int x = s.x0; x <= s.x1; ++x) covered.insert({x, s.y});
    }
  }
  return covered;
}

TEST(Raster, LinesDrawThePixelsTheyLeaveOnTheWayToTheirEnd) {
  const struct {
    const char *name;
    float x0, y0, x1, y1;
    std::vector<Pixel> pixels;
  } cases[] = {
      {"rightwards, centre to centre", 10.5f, 5.5f, 14.5f, 5.5f, {{10, 5}, {11, 5}, {12, 5}, {13, 5}}},
      {"leftwards", 14.5f, 5.5f, 10.5f, 5.5f, {{14, 5}, {13, 5}, {12, 5}, {11, 5}}},
      {"downwards", 3.5f, 1.5f, 3.5f, 4.5f, {{3, 1}, {3, 2}, {3, 3}}},
      {"diagonal", 0.5f, 0.5f, 3.5f, 3.5f, {{0, 0}, {1, 1}, {2, 2}}},
      {"shallow, between rows", 20.5f, 7.85f, 25.5f, 8.35f, {{20, 7}, {21, 7}, {22, 8}, {23, 8}, {24, 8}}},
      {"off the window's right edge", 125.5f, 2.5f, 150.5f, 2.5f, {{125, 2}, {126, 2}, {127, 2}}},
      {"wholly outside", 140.5f, 2.5f, 150.5f, 2.5f, {}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Pixel> got = line(c.x0, c.y0, c.x1, c.y1);
    std::sort(got.begin(), got.end());
    std::vector<Pixel> want = c.pixels;
    std::sort(want.begin(), want.end());
    EXPECT_EQ(got, want);
  }
}

TEST(Raster, StippleStepsOncePerPixelOfLengthRoundedUpAndRunsOnAcrossALoop) {
  // GLUI's focus mark: every other pixel of a loop, the counter carried from
  // side to side. A side a hair over 4 pixels long steps the counter 5 times.
  const glweb::Stipple dots = {0x5555, 1};
  int counter = 0;
  EXPECT_EQ(line(10.5f, 10.5f, 14.5f, 10.5f, &dots, &counter), (std::vector<Pixel>{{10, 10}, {12, 10}}));
  EXPECT_EQ(counter, 4);
  EXPECT_EQ(line(14.5f, 10.5f, 14.5f, 14.5001f, &dots, &counter), (std::vector<Pixel>{{14, 10}, {14, 12}}));
  EXPECT_EQ(counter, 9);
  // Odd now: the next side starts on a gap.
  EXPECT_EQ(line(14.5f, 14.5f, 10.5f, 14.5f, &dots, &counter), (std::vector<Pixel>{{13, 14}, {11, 14}}));
  // A factor of 2 doubles each dot and gap; a segment wholly outside the
  // window leaves the counter as it was.
  const glweb::Stipple pairs = {0x5555, 2};
  counter = 0;
  EXPECT_EQ(line(10.5f, 20.5f, 16.5f, 20.5f, &pairs, &counter),
            (std::vector<Pixel>{{10, 20}, {11, 20}, {14, 20}, {15, 20}}));
  line(140.5f, 2.5f, 150.5f, 2.5f, &pairs, &counter);
  EXPECT_EQ(counter, 6);
}

TEST(Raster, TrianglesCoverEachPixelCentreTheyHoldOnceAndNoOther) {
  // A rectangle on pixel boundaries, as two triangles: its pixels exactly.
  std::multiset<Pixel> want;
  for (int y = 20; y < 24; ++y) {
    for (int x = 10; x < 15; ++x) want.insert({x, y});
  }
  EXPECT_EQ(cover({{10, 20, 0}, {15, 20, 0}, {15, 24, 0}, {10, 20, 0}, {15, 24, 0}, {10, 24, 0}}), want);

  // A fan of triangles round an inner point, corners off the pixel grid, and
  // centres on shared edges: every centre inside the outline covered once,
  // whichever way round each triangle is given.
  const std::array<float, 3> centre = {40.5f, 40.5f, 0};
  const std::vector<std::array<float, 3>> rim = {
      {20.25f, 20.5f, 0}, {60.5f, 25.75f, 0}, {70.5f, 50.5f, 0}, {45.5f, 70.125f, 0}, {15.5f, 55.5f, 0}};
  std::vector<std::array<float, 3>> fan;
  for (std::size_t i = 0; i < rim.size(); ++i) {
    const std::array<float, 3> &a = rim[i], &b = rim[(i + 1) % rim.size()];
    if (i % 2 == 0) {
      fan.insert(fan.end(), {centre, a, b});
    } else {
      fan.insert(fan.end(), {b, a, centre});
    }
  }
  const std::multiset<Pixel> covered = cover(fan);
  std::map<Pixel, int> hits;
  for (const Pixel &p : covered) ++hits[p];
  for (const auto &h : hits) EXPECT_EQ(h.second, 1) << h.first.first << "," << h.first.second;
  // Centres well inside the outline (convex, corners counter-clockwise on
  // screen) are all there.
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      bool inside = true;
      for (std::size_t i = 0; i < rim.size(); ++i) {
        const std::array<float, 3> &a = rim[i], &b = rim[(i + 1) % rim.size()];
        const double side = (b[0] - a[0]) * (y + 0.5 - a[1]) - (b[1] - a[1]) * (x + 0.5 - a[0]);
        inside = inside && side > 0.01 * (std::abs(b[0] - a[0]) + std::abs(b[1] - a[1]));
      }
      if (inside) {
        EXPECT_EQ(hits.count({x, y}), 1u) << x << "," << y;
      }
    }
  }
}

}  // namespace
