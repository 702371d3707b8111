// The whole pixels that OpenGL's rasterisation rules give the primitives of
// a window-space overlay (lines along an axis, points and bitmaps), as runs
// of pixels. Every conformant rasteriser draws a rectangle on pixel edges
// alike, so drawn as such these come out the same in every browser, where
// each one's own lines and points differ. Window
// coordinates, y upwards, pixel (i, j) centred on (i + 0.5, j + 0.5). Plain
// C++, built natively for its tests.
#pragma once

#include <vector>

namespace glweb {

// The pixels x0 <= x < x1, y0 <= y < y1.
struct PixelRun {
  int x0, y0, x1, y1;
};

// glLineStipple's state: a fragment is drawn when bit (counter / factor) %
// 16 of the pattern is set, and the counter steps once per fragment.
struct Stipple {
  bool enabled = false;
  unsigned pattern = 0xffff;
  int factor = 1;
  int counter = 0;
};

// A line segment from a to b that runs along x or y, by the diamond-exit
// rule: each pixel whose diamond it crosses, but the one holding b.
void segmentPixels(float ax, float ay, float bx, float by, Stipple &stipple, std::vector<PixelRun> &out);

// A one-pixel point at (x, y).
PixelRun pointPixel(float x, float y);

// A bitmap's set bits, rows of whole bytes from the bottom, the most
// significant bit leftmost, with its lower-left pixel at (x, y).
void bitmapPixels(int x, int y, int width, int height, const unsigned char *bits, std::vector<PixelRun> &out);

}  // namespace glweb
