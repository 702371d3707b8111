#include "glui_draw.h"

#include <GL/glut.h>

namespace glui_internal {

namespace {

void *const kFont = GLUT_BITMAP_HELVETICA_12;

void setColour(Rgb c) { glColor3ub(c.r, c.g, c.b); }

}  // namespace

void pixelProjection(float out[16], int width, int height) {
  const float w = width < 1 ? 1.0f : static_cast<float>(width);
  const float h = height < 1 ? 1.0f : static_cast<float>(height);
  for (int i = 0; i < 16; ++i) out[i] = 0.0f;
  out[0] = 2.0f / w;
  out[5] = -2.0f / h;  // y grows downwards
  out[10] = -1.0f;
  out[12] = -1.0f;
  out[13] = 1.0f;
  out[15] = 1.0f;
}

void beginPixelDrawing(int width, int height) {
  static const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  float projection[16];
  pixelProjection(projection, width, height);
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(projection);
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(kIdentity);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glClearColor(kPanelGrey.r / 255.0f, kPanelGrey.g / 255.0f, kPanelGrey.b / 255.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
}

// Rectangles on whole-pixel edges cover exactly the pixels inside them,
// so everything below is built from them (and single points at pixel
// centres) rather than from lines, whose end pixels vary by driver.
void fillRect(int x, int y, int w, int h, Rgb colour) {
  setColour(colour);
  glRecti(x, y, x + w, y + h);
}

void drawSunkenBox(int x, int y, int size) {
  fillRect(x, y, size, size, kHighlight);
  fillRect(x, y, size - 1, size - 1, kShadow);
  fillRect(x + 1, y + 1, size - 2, size - 2, kPanelGrey);
  fillRect(x + 1, y + 1, size - 3, size - 3, kInk);
  fillRect(x + 2, y + 2, size - 4, size - 4, kHighlight);
}

void drawCheckMark(int boxX, int boxY) {
  // The 7 x 7 tick of the classic Windows checkbox.
  static const char *const kTick[7] = {
      "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
  };
  setColour(kInk);
  for (int row = 0; row < 7; ++row) {
    for (int col = 0; col < 7; ++col) {
      if (kTick[row][col] == '#') {
        glRecti(boxX + 3 + col, boxY + 3 + row, boxX + 4 + col, boxY + 4 + row);
      }
    }
  }
}

void drawDottedRect(int x, int y, int w, int h) {
  if (w < 1 || h < 1) return;
  setColour(kInk);
  glBegin(GL_POINTS);
  // Walk the outline once, clockwise, so the dots keep alternating round
  // the corners.
  int step = 0;
  auto dot = [&step](int px, int py) {
    if (step++ % 2 == 0) glVertex2f(px + 0.5f, py + 0.5f);
  };
  for (int i = 0; i < w; ++i) dot(x + i, y);
  for (int i = 1; i < h; ++i) dot(x + w - 1, y + i);
  for (int i = w - 2; i >= 0 && h > 1; --i) dot(x + i, y + h - 1);
  for (int i = h - 2; i >= 1 && w > 1; --i) dot(x, y + i);
  glEnd();
}

void drawText(int x, int baseline, const std::string &text) {
  setColour(kLabelInk);
  // A quarter-pixel nudge keeps rounding of the projected raster position
  // from moving the text a whole pixel.
  glRasterPos2f(x + 0.25f, baseline - 0.25f);
  for (unsigned char c : text) glutBitmapCharacter(kFont, c);
}

int textWidth(const std::string &text) {
  return glutBitmapLength(kFont, reinterpret_cast<const unsigned char *>(text.c_str()));
}

}  // namespace glui_internal
