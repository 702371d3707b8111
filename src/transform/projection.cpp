#include "transform/projection.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

#include "app/scene_state.h"
#include "transform/transform_matrix.h"

namespace {

// The same check for both boxes, in the same order: depth, then width, then
// height. The message goes out with no newline and no flush, and drawing
// simply continues.
bool isDegenerateBox(float l, float r, float b, float t, float n, float f) {
  if (f == n || l == r || b == t) {
    std::fputs("Projection error! Invalid Parameters", stdout);
    return true;
  }
  return false;
}

}  // namespace

void applyFrustum(float l, float r, float b, float t, float n, float f) {
  if (isDegenerateBox(l, r, b, t, n, f)) return;
  float m[16] = {};
  m[0] = 2 * n / (r - l);
  m[5] = 2 * n / (t - b);
  m[10] = -(f + n) / (f - n);
  m[11] = -1;
  m[14] = -2 * f * n / (f - n);
  glMultMatrixf(m);
}

void applyOrtho(float l, float r, float b, float t, float n, float f) {
  if (isDegenerateBox(l, r, b, t, n, f)) return;
  float m[16] = {};
  m[0] = 2 / (r - l);
  m[5] = 2 / (t - b);
  m[10] = -2 / (f - n);
  m[15] = 1;
  glMultMatrixf(m);
}

void setupProjection() {
  glMatrixMode(GL_PROJECTION);
  loadIdentityMatrix();
  // Both views are sized from one float constant; the products are formed
  // in float, except the frustum's near plane, formed in double.
  const float k = 0.6f;
  if (sceneState.orthoView != 0) {
    applyOrtho(-2 * k, 2 * k, -2 * k, 2 * k, 0, 12 * k);
  } else {
    applyFrustum(-k, k, -k, k, static_cast<float>(0.9 * k), 6 * k);
  }
  glMatrixMode(GL_MODELVIEW);
}

void reshapeWindow(int w, int h) {
  setupProjection();
  const int side = std::min(w, h);
  glViewport((w - side) / 2, (h - side) / 2, side, side);
}
