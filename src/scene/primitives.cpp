#include "scene/primitives.h"

#include <GL/freeglut.h>

#include "app/scene_state.h"
#include "transform/transform_matrix.h"

namespace {

// Degrees a wheel turns per model unit travelled: 360 / (pi * diameter) for a
// torus one unit across, with the constant rounded as the program has always
// used it.
constexpr double kWheelDegreesPerUnit = 114.5916;

constexpr int kGridHalfExtent = 10;

}  // namespace

void drawBlock(int size) {
  if (sceneState.wireframe != 0) {
    glutWireCube(size);
  } else {
    glutSolidCube(size);
  }
}

void drawWheel() {
  glPushMatrix();
  applyRotateZ(static_cast<float>(sceneState.vehicleX * kWheelDegreesPerUnit));
  if (sceneState.wireframe != 0) {
    glutWireTorus(0.5, 0.5, 10, 15);
  } else {
    glutSolidTorus(0.5, 0.5, 10, 15);
  }
  glPopMatrix();
}

void drawWheelPair() {
  drawWheel();
  applyTranslate(0, 0, 10);
  drawWheel();
}

void drawGrid() {
  const int n = kGridHalfExtent;
  const float e = static_cast<float>(kGridHalfExtent);
  glColor3f(0.5f, 0.5f, 0.5f);
  glBegin(GL_LINES);
  for (int i = -n; i <= n; ++i) {
    glVertex3f(-e, i, 0);
    glVertex3f(e, i, 0);
  }
  for (int i = -n; i <= n; ++i) {
    glVertex3f(i, -e, 0);
    glVertex3f(i, e, 0);
  }
  for (int i = -n; i <= n; ++i) {
    glVertex3f(-e, 0, i);
    glVertex3f(e, 0, i);
  }
  for (int i = -n; i <= n; ++i) {
    glVertex3f(i, 0, -e);
    glVertex3f(i, 0, e);
  }
  glEnd();
}
