#include "scene/display_scene.h"

#include <GL/freeglut.h>

#include "app/scene_state.h"
#include "scene/primitives.h"
#include "transform/look_at.h"
#include "transform/projection.h"
#include "transform/transform_matrix.h"

namespace {

// Each arm joint is a hinge: move to the hinge, turn about z, move back.
void bendAbout(float hingeX, float hingeY, float degrees) {
  applyTranslate(hingeX, hingeY, 0);
  applyRotateZ(degrees);
  applyTranslate(-hingeX, -hingeY, 0);
}

void applyAutoRotation() {
  SceneState &s = sceneState;
  if (s.spinX != 0) advanceSpin(s.spinCountX);
  applyRotate(static_cast<float>(s.spinCountX), 1, 0, 0);
  if (s.spinY != 0) advanceSpin(s.spinCountY);
  applyRotate(static_cast<float>(s.spinCountY), 0, 1, 0);
  if (s.spinZ != 0) advanceSpin(s.spinCountZ);
  applyRotate(static_cast<float>(s.spinCountZ), 0, 0, 1);
}

void drawPlatform() {
  glPushMatrix();
  applyScale(10, 1, 10);
  glColor3f(1, 1, 0);
  drawBlock(1);
  glPopMatrix();
}

void drawWheels() {
  glPushMatrix();
  glColor3f(0, 1, 1);
  applyTranslate(-2.5f, 0, -5);
  drawWheelPair();
  glPopMatrix();
  glPushMatrix();
  applyTranslate(2.5f, 0, -5);
  drawWheelPair();
  glPopMatrix();
}

// The body, the mount on its top and the three-part arm, each part carried by
// everything before it.
void drawBodyAndArm() {
  const SceneState &s = sceneState;

  glPushMatrix();  // body frame
  glColor3f(1, 0, 0);
  applyTranslate(0, 1.5f, 0);
  applyRotate(s.bodyYaw, 0, 1, 0);

  glPushMatrix();
  applyScale(6, 2, 6);
  drawBlock(1);
  glPopMatrix();

  glPushMatrix();  // mount frame: a cube on the body's top, towards +x
  applyTranslate(2.5f, 1.5f, 0);
  glColor3f(0, 1, 0);
  drawBlock(1);

  glPushMatrix();  // arm frame
  // First segment: a 1 x 7 x 1 post, hinged 3 below its centre.
  glColor3f(1, 1, 1);
  applyTranslate(1, 3, 0);
  bendAbout(0, -3, s.jointAngle1);
  glPushMatrix();
  applyScale(1, 7, 1);
  drawBlock(1);
  glPopMatrix();

  // Second segment: a 5 x 1 x 1 beam, hinged 2 left of its centre.
  glColor3f(1, 0, 1);
  applyTranslate(3, 3, 0);
  bendAbout(-2, 0, s.jointAngle2);
  glPushMatrix();
  applyScale(5, 1, 1);
  drawBlock(1);
  glPopMatrix();

  // End block: a unit cube hinged at its upper-left edge.
  glColor3f(0, 1, 1);
  applyTranslate(3, -1, 0);
  bendAbout(-0.5f, 0.5f, s.jointAngle3);
  drawBlock(1);

  glPopMatrix();  // arm frame
  glPopMatrix();  // mount frame
  glPopMatrix();  // body frame
}

}  // namespace

void advanceSpin(int &spinCount) { spinCount = (spinCount + 1) % 360; }

void displayScene() {
  const SceneState &s = sceneState;

  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  setupProjection();
  loadIdentityMatrix();

  // Set before the view transform, so the light stays fixed to the viewer.
  glLightfv(GL_LIGHT0, GL_POSITION, s.lightPosition);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, s.lightDiffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, s.lightSpecular);

  const float *c = s.cameraParams;
  applyLookAt(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8]);
  applyAutoRotation();
  applyScale(0.1f, 0.1f, 0.1f);

  if (s.showGrid != 0) drawGrid();

  // Everything from here on moves with the vehicle; the grid stays put.
  applyTranslate(s.vehicleX, 0, 0);
  drawPlatform();
  drawWheels();
  drawBodyAndArm();

  glutSwapBuffers();
}
