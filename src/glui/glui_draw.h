// Flat 2-D drawing for the panels: everything in window pixels with the
// origin at the top left, like GLUT's mouse coordinates.
#pragma once

#include <string>

namespace glui_internal {

struct Rgb {
  unsigned char r, g, b;
};

constexpr Rgb kPanelGrey = {192, 192, 192};
constexpr Rgb kShadow = {128, 128, 128};
constexpr Rgb kHighlight = {255, 255, 255};
constexpr Rgb kInk = {0, 0, 0};
// GLUI's labels come out a shade above the black of its boxes and marks.
constexpr Rgb kLabelInk = {1, 1, 1};

// Column-major matrix mapping (0, 0) to the window's top-left corner and
// (width, height) to its bottom-right, z in -1..1: what
// glOrtho(0, width, height, 0, -1, 1) would build. Sizes below 1 count as
// 1, since a minimised window reports 0.
void pixelProjection(float out[16], int width, int height);

// Sets viewport, projection and model-view for pixel drawing and clears
// the window to the panel grey.
void beginPixelDrawing(int width, int height);

void fillRect(int x, int y, int w, int h, Rgb colour);
// A white well with a two-pixel sunken edge: outside, shadow on top and
// left and highlight on bottom and right; inside, ink on top and left and
// the panel grey on bottom and right.
void drawSunkenBox(int x, int y, int size);
// The tick drawn inside a box of drawSunkenBox's at (boxX, boxY).
void drawCheckMark(int boxX, int boxY);
// Every other pixel of the rectangle's outline.
void drawDottedRect(int x, int y, int w, int h);
// Label text in the panel font, starting at x, with its baseline on the
// pixel row just above `baseline` (descenders reach below it).
void drawText(int x, int baseline, const std::string &text);
int textWidth(const std::string &text);

}  // namespace glui_internal
