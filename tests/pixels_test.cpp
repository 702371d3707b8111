// The browser layer's whole pixels for window-space primitives
// (src/web/pixels.h), against the pixels OpenGL itself draws for the same
// primitives in the test window, and against GL's stipple rule worked out
// by hand.

#include "web/pixels.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "gl_test_support.h"
#include "gl_window.h"

namespace {

using glweb::PixelRun;
using Pixels = std::set<std::pair<int, int>>;  // x, y from the bottom

// A power of two, so that object coordinates map onto window coordinates
// exactly: where rounding takes an end off a pixel centre, Mesa's rasteriser
// may draw a pixel more than GL's rules give, as GL lets it.
constexpr int kSide = 256;

Pixels expand(const std::vector<PixelRun> &runs) {
  Pixels pixels;
  for (const PixelRun &r : runs) {
    for (int y = r.y0; y < r.y1; ++y) {
      for (int x = r.x0; x < r.x1; ++x) pixels.insert({x, y});
    }
  }
  return pixels;
}

// What OpenGL draws, in white on black, with window coordinates as object
// coordinates.
Pixels drawnByGl(const std::function<void()> &draw) {
  restoreDefaultGlState();
  glViewport(0, 0, kSide, kSide);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, kSide, 0, kSide, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1, 1, 1);
  draw();
  glFinish();
  const std::vector<unsigned char> frame = readPixels(kSide, kSide);
  Pixels pixels;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      if (isLit(frame, 3 * (y * kSide + x))) pixels.insert({x, y});
    }
  }
  return pixels;
}

struct Segment {
  float ax, ay, bx, by;
};

void drawStrip(GLenum mode, const std::vector<Segment> &segments) {
  glBegin(mode);
  for (const Segment &s : segments) {
    glVertex2f(s.ax, s.ay);
    if (mode == GL_LINES || &s == &segments.back()) glVertex2f(s.bx, s.by);
  }
  glEnd();
}

Pixels ours(const std::vector<Segment> &segments, glweb::Stipple stipple, bool restartEach) {
  std::vector<PixelRun> runs;
  for (const Segment &s : segments) {
    if (restartEach) stipple.counter = 0;
    glweb::segmentPixels(s.ax, s.ay, s.bx, s.by, stipple, runs);
  }
  return expand(runs);
}

TEST(Pixels, LinesAlongAnAxisAreThePixelsGlDraws) {
  const struct {
    const char *name;
    Segment segment;
  } cases[] = {
      {"rightwards, centre to centre", {10.5f, 5.5f, 14.5f, 5.5f}},
      {"leftwards", {14.5f, 5.5f, 10.5f, 5.5f}},
      {"upwards", {3.5f, 1.5f, 3.5f, 4.5f}},
      {"downwards", {3.5f, 40.5f, 3.5f, 20.5f}},
      {"ends off the centres", {20.2f, 9.7f, 31.9f, 9.7f}},
      {"near a row's edge", {2.25f, 30.1f, 12.75f, 30.1f}},
      {"one pixel long", {40.5f, 40.5f, 41.5f, 40.5f}},
      {"no length", {50.5f, 50.5f, 50.5f, 50.5f}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    const Segment s = c.segment;
    EXPECT_EQ(ours({s}, {}, true), drawnByGl([&] { drawStrip(GL_LINES, {s}); }));
  }
}

TEST(Pixels, StippleStepsOncePerFragmentAndRunsOnAcrossAStrip) {
  // Every other pixel round a loop, the counter carried on from side to
  // side: each side starts where the one before left the pattern.
  const std::vector<Segment> loop = {{10.5f, 10.5f, 15.5f, 10.5f},
                                     {15.5f, 10.5f, 15.5f, 14.5f},
                                     {15.5f, 14.5f, 10.5f, 14.5f},
                                     {10.5f, 14.5f, 10.5f, 10.5f}};
  const Pixels dots = ours(loop, {true, 0x5555, 1, 0}, false);
  EXPECT_EQ(
      dots,
      (Pixels{{10, 10}, {12, 10}, {14, 10}, {15, 11}, {15, 13}, {14, 14}, {12, 14}, {10, 14}, {10, 12}}));
  EXPECT_EQ(dots, drawnByGl([&] {
              glEnable(GL_LINE_STIPPLE);
              glLineStipple(1, 0x5555);
              drawStrip(GL_LINE_STRIP, loop);
            }));

  // GLUI's focus mark round "Rotation along y axis", 124 by 14, whose
  // sides of even length leave each side's first pixel a dot.
  const std::vector<Segment> mark = {{21.5f, 98.5f, 145.5f, 98.5f},
                                     {145.5f, 98.5f, 145.5f, 84.5f},
                                     {145.5f, 84.5f, 21.5f, 84.5f},
                                     {21.5f, 84.5f, 21.5f, 98.5f}};
  EXPECT_EQ(ours(mark, {true, 0x5555, 1, 0}, false), drawnByGl([&] {
              glEnable(GL_LINE_STIPPLE);
              glLineStipple(1, 0x5555);
              drawStrip(GL_LINE_STRIP, mark);
            }));

  // A factor of 2 doubles each dot and gap; separate segments each start the
  // pattern again.
  const std::vector<Segment> pair = {{10.5f, 20.5f, 18.5f, 20.5f}, {10.5f, 22.5f, 14.5f, 22.5f}};
  const Pixels doubled = ours(pair, {true, 0x3333, 2, 0}, true);
  EXPECT_EQ(doubled,
            (Pixels{{10, 20}, {11, 20}, {12, 20}, {13, 20}, {10, 22}, {11, 22}, {12, 22}, {13, 22}}));
  EXPECT_EQ(doubled, drawnByGl([&] {
              glEnable(GL_LINE_STIPPLE);
              glLineStipple(2, 0x3333);
              drawStrip(GL_LINES, pair);
            }));

  glweb::Stipple stipple{true, 0x00ff, 1, 14};
  std::vector<PixelRun> runs;
  glweb::segmentPixels(30.5f, 30.5f, 36.5f, 30.5f, stipple, runs);
  EXPECT_EQ(stipple.counter, 20);
  EXPECT_EQ(expand(runs), (Pixels{{32, 30}, {33, 30}, {34, 30}, {35, 30}}));
}

TEST(Pixels, PointsAndBitmapsAreThePixelsGlDraws) {
  EXPECT_EQ(expand({glweb::pointPixel(7.75f, 3.25f)}), drawnByGl([] {
              glBegin(GL_POINTS);
              glVertex2f(7.75f, 3.25f);
              glEnd();
            }));
  // Three rows of ten bits, two bytes each, from the bottom, the leftmost
  // bit the most significant; placed with its origin at the raster position.
  const GLubyte bits[] = {0xc1, 0x80, 0x3f, 0x40, 0x80, 0x00};
  std::vector<PixelRun> runs;
  glweb::bitmapPixels(2, 4, 10, 3, bits, runs);
  EXPECT_EQ(expand(runs), drawnByGl([&] {
              glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
              glRasterPos2f(3.7f, 5.2f);
              glBitmap(10, 3, 1.5f, 1, 0, 0, bits);
              glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
            }));
}

}  // namespace
