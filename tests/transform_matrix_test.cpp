// The program's matrices against OpenGL's own glRotatef, glTranslatef and
// glScalef, read back from the model-view stack.

#include "transform/transform_matrix.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "gl_test_support.h"

namespace {

// A non-identity starting matrix, so that each case also shows that ours
// post-multiplies the way GL's functions do.
void startFromSkewedMatrix() {
  resetMatrices();
  glTranslatef(0.3f, -0.2f, 0.5f);
  glRotatef(17, 0.2f, 0.9f, 0.4f);
}

TEST(TransformMatrixAgainstOpenGl, EachApplyMatchesTheGlCallItStandsFor) {
  const struct {
    const char *name;
    std::function<void()> gl, ours;
  } cases[] = {
      {"scale", [] { glScalef(2, -3, 0.5f); }, [] { applyScale(2, -3, 0.5f); }},
      {"uniform scale", [] { glScalef(0.1f, 0.1f, 0.1f); }, [] { applyScale(0.1f, 0.1f, 0.1f); }},
      {"translate", [] { glTranslatef(1.5f, -2, 7); }, [] { applyTranslate(1.5f, -2, 7); }},
      {"rotate x 30", [] { glRotatef(30, 1, 0, 0); }, [] { applyRotateX(30); }},
      {"rotate y -45", [] { glRotatef(-45, 0, 1, 0); }, [] { applyRotateY(-45); }},
      // A quarter turn about each axis takes the next axis round: x onto y
      // about z, y onto z about x, z onto x about y.
      {"rotate x 90", [] { glRotatef(90, 1, 0, 0); }, [] { applyRotateX(90); }},
      {"rotate y 90", [] { glRotatef(90, 0, 1, 0); }, [] { applyRotateY(90); }},
      {"rotate z 90", [] { glRotatef(90, 0, 0, 1); }, [] { applyRotateZ(90); }},
      {"rotate z 359", [] { glRotatef(359, 0, 0, 1); }, [] { applyRotateZ(359); }},
      {"rotate x 1000", [] { glRotatef(1000, 1, 0, 0); }, [] { applyRotateX(1000); }},
      {"rotate y -90", [] { glRotatef(-90, 0, 1, 0); }, [] { applyRotateY(-90); }},
      {"a sequence",
       [] {
         glTranslatef(0, 1.5f, 0);
         glRotatef(33, 0, 1, 0);
         glScalef(6, 2, 6);
         glRotatef(-81, 0, 0, 1);
       },
       [] {
         applyTranslate(0, 1.5f, 0);
         applyRotateY(33);
         applyScale(6, 2, 6);
         applyRotateZ(-81);
       }},
      // The shared matrix is rebuilt whole each time: a translation after a
      // rotation keeps nothing of it.
      {"load identity, rotate, translate",
       [] {
         glLoadIdentity();
         glRotatef(40, 1, 0, 0);
         glTranslatef(2, 3, 4);
       },
       [] {
         loadIdentityMatrix();
         applyRotateX(40);
         applyTranslate(2, 3, 4);
       }},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(sameMatrixAsGl(c.gl, c.ours, 2e-6f, startFromSkewedMatrix));
  }
}

TEST(ApplyRotate, TurnsAboutTheFirstAxisFlaggedOnly) {
  struct AxisCase {
    int onX, onY, onZ;
    float axisX, axisY, axisZ;  // the axis GL should turn about; all 0: none
  };
  const std::vector<AxisCase> cases = {
      {1, 0, 0, 1, 0, 0}, {0, 1, 0, 0, 1, 0}, {0, 0, 1, 0, 0, 1},  {1, 1, 1, 1, 0, 0},
      {0, 1, 1, 0, 1, 0}, {0, 0, 0, 0, 0, 0}, {-3, 0, 0, 1, 0, 0}, {0, 0, 7, 0, 0, 1},
  };
  for (const AxisCase &c : cases) {
    SCOPED_TRACE(::testing::Message() << "flags " << c.onX << c.onY << c.onZ);
    EXPECT_TRUE(sameMatrixAsGl(
        [&] {
          if (c.axisX != 0 || c.axisY != 0 || c.axisZ != 0) glRotatef(30, c.axisX, c.axisY, c.axisZ);
        },
        [&] { applyRotate(30, c.onX, c.onY, c.onZ); }, 2e-6f, startFromSkewedMatrix));
  }
}

}  // namespace
