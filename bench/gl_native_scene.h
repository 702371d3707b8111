// The viewer's frame drawn the way a typical GLUT program draws it: OpenGL's
// own glLoadIdentity, glOrtho / glFrustum, gluLookAt, glRotatef, glScalef and
// glTranslatef, in displayScene's order, with its colours and primitives.
//
// Two users: the frame benchmark measures it against displayScene, and the
// long-run test uses it as the oracle picture for an unwrapped spin angle.
// It reads sceneState but never writes it, and it does not swap buffers.
#pragma once

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "app/scene_state.h"

namespace gl_native {

// Same constant the viewer rolls its wheels by (degrees per unit travelled).
constexpr double kWheelDegreesPerUnit = 114.5916;

inline void block(const SceneState &s) {
  if (s.wireframe != 0) {
    glutWireCube(1);
  } else {
    glutSolidCube(1);
  }
}

inline void wheel(const SceneState &s) {
  glPushMatrix();
  glRotatef(static_cast<float>(s.vehicleX * kWheelDegreesPerUnit), 0, 0, 1);
  if (s.wireframe != 0) {
    glutWireTorus(0.5, 0.5, 10, 15);
  } else {
    glutSolidTorus(0.5, 0.5, 10, 15);
  }
  glPopMatrix();
}

inline void wheelPair(const SceneState &s) {
  wheel(s);
  glTranslatef(0, 0, 10);
  wheel(s);
}

inline void grid() {
  glColor3f(0.5f, 0.5f, 0.5f);
  glBegin(GL_LINES);
  for (int i = -10; i <= 10; ++i) {
    glVertex3f(-10, i, 0);
    glVertex3f(10, i, 0);
  }
  for (int i = -10; i <= 10; ++i) {
    glVertex3f(i, -10, 0);
    glVertex3f(i, 10, 0);
  }
  for (int i = -10; i <= 10; ++i) {
    glVertex3f(-10, 0, i);
    glVertex3f(10, 0, i);
  }
  for (int i = -10; i <= 10; ++i) {
    glVertex3f(i, 0, -10);
    glVertex3f(i, 0, 10);
  }
  glEnd();
}

inline void hinge(float x, float y, float degrees) {
  glTranslatef(x, y, 0);
  glRotatef(degrees, 0, 0, 1);
  glTranslatef(-x, -y, 0);
}

// The viewer's projection boxes. Its orthographic box is centred on the eye
// (depths -3.6..3.6), which glOrtho gives with a symmetric near/far pair; its
// frustum's near plane is formed in double from the float 0.6.
inline void projection(const SceneState &s) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const float k = 0.6f;
  if (s.orthoView != 0) {
    glOrtho(-2 * k, 2 * k, -2 * k, 2 * k, -6 * k, 6 * k);
  } else {
    glFrustum(-k, k, -k, k, static_cast<float>(0.9 * k), 6 * k);
  }
  glMatrixMode(GL_MODELVIEW);
}

// One frame with the auto-rotation given as angles, so a caller can pass an
// angle the viewer itself would have wrapped.
inline void drawScene(const SceneState &s, float spinX, float spinY, float spinZ) {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  projection(s);
  glLoadIdentity();

  glLightfv(GL_LIGHT0, GL_POSITION, s.lightPosition);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, s.lightDiffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, s.lightSpecular);

  const float *c = s.cameraParams;
  gluLookAt(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8]);
  glRotatef(spinX, 1, 0, 0);
  glRotatef(spinY, 0, 1, 0);
  glRotatef(spinZ, 0, 0, 1);
  glScalef(0.1f, 0.1f, 0.1f);

  if (s.showGrid != 0) grid();

  glTranslatef(s.vehicleX, 0, 0);

  glPushMatrix();  // platform
  glScalef(10, 1, 10);
  glColor3f(1, 1, 0);
  block(s);
  glPopMatrix();

  glPushMatrix();  // wheels
  glColor3f(0, 1, 1);
  glTranslatef(-2.5f, 0, -5);
  wheelPair(s);
  glPopMatrix();
  glPushMatrix();
  glTranslatef(2.5f, 0, -5);
  wheelPair(s);
  glPopMatrix();

  glPushMatrix();  // body
  glColor3f(1, 0, 0);
  glTranslatef(0, 1.5f, 0);
  glRotatef(s.bodyYaw, 0, 1, 0);
  glPushMatrix();
  glScalef(6, 2, 6);
  block(s);
  glPopMatrix();

  glPushMatrix();  // mount
  glTranslatef(2.5f, 1.5f, 0);
  glColor3f(0, 1, 0);
  block(s);

  glPushMatrix();  // arm
  glColor3f(1, 1, 1);
  glTranslatef(1, 3, 0);
  hinge(0, -3, s.jointAngle1);
  glPushMatrix();
  glScalef(1, 7, 1);
  block(s);
  glPopMatrix();

  glColor3f(1, 0, 1);
  glTranslatef(3, 3, 0);
  hinge(-2, 0, s.jointAngle2);
  glPushMatrix();
  glScalef(5, 1, 1);
  block(s);
  glPopMatrix();

  glColor3f(0, 1, 1);
  glTranslatef(3, -1, 0);
  hinge(-0.5f, 0.5f, s.jointAngle3);
  block(s);

  glPopMatrix();  // arm
  glPopMatrix();  // mount
  glPopMatrix();  // body
}

}  // namespace gl_native
