// The program's matrices against OpenGL's own glRotatef, glTranslatef and
// glScalef, read back from the model-view stack.

#include "transform/transform_matrix.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gl_test_support.h"

namespace {

struct MatrixCase {
  std::string name;
  std::function<void()> ours;
  std::function<void()> openGl;
};

// A non-identity starting matrix, so that each case also shows that ours
// post-multiplies the way GL's functions do.
void startFromSkewedMatrix() {
  resetMatrices();
  glTranslatef(0.3f, -0.2f, 0.5f);
  glRotatef(17, 0.2f, 0.9f, 0.4f);
}

TEST(TransformMatrixAgainstOpenGl, EachApplyMatchesTheGlCallItStandsFor) {
  const std::vector<MatrixCase> cases = {
      {"scale", [] { applyScale(2, -3, 0.5f); }, [] { glScalef(2, -3, 0.5f); }},
      {"uniform scale", [] { applyScale(0.1f, 0.1f, 0.1f); }, [] { glScalef(0.1f, 0.1f, 0.1f); }},
      {"translate", [] { applyTranslate(1.5f, -2, 7); }, [] { glTranslatef(1.5f, -2, 7); }},
      {"rotate x 30", [] { applyRotateX(30); }, [] { glRotatef(30, 1, 0, 0); }},
      {"rotate y -45", [] { applyRotateY(-45); }, [] { glRotatef(-45, 0, 1, 0); }},
      {"rotate z 90", [] { applyRotateZ(90); }, [] { glRotatef(90, 0, 0, 1); }},
      {"rotate z 359", [] { applyRotateZ(359); }, [] { glRotatef(359, 0, 0, 1); }},
      {"rotate x 1000", [] { applyRotateX(1000); }, [] { glRotatef(1000, 1, 0, 0); }},
      {"rotate y -90", [] { applyRotateY(-90); }, [] { glRotatef(-90, 0, 1, 0); }},
      {"a sequence",
       [] {
         applyTranslate(0, 1.5f, 0);
         applyRotateY(33);
         applyScale(6, 2, 6);
         applyRotateZ(-81);
       },
       [] {
         glTranslatef(0, 1.5f, 0);
         glRotatef(33, 0, 1, 0);
         glScalef(6, 2, 6);
         glRotatef(-81, 0, 0, 1);
       }},
  };
  for (const MatrixCase &c : cases) {
    SCOPED_TRACE(c.name);
    startFromSkewedMatrix();
    c.openGl();
    const Matrix expected = readMatrix(GL_MODELVIEW_MATRIX);
    startFromSkewedMatrix();
    c.ours();
    EXPECT_TRUE(matricesNear(readMatrix(GL_MODELVIEW_MATRIX), expected, 2e-6f));
  }
}

TEST(TransformMatrixProperties, NinetyDegreesTurnsEachAxisOntoTheNext) {
  struct Turn {
    std::string name;
    const float *(TransformMatrix::*rotate)(float);
    int from;  // column of the axis that is turned
    int onto;  // row it lands in
  };
  const std::vector<Turn> turns = {
      {"about z, x onto y", &TransformMatrix::rotateZ, 0, 1},
      {"about x, y onto z", &TransformMatrix::rotateX, 1, 2},
      {"about y, z onto x", &TransformMatrix::rotateY, 2, 0},
  };
  TransformMatrix m(TransformKind::Identity, 0, 0, 0);
  for (const Turn &t : turns) {
    SCOPED_TRACE(t.name);
    const float *e = (m.*t.rotate)(90);
    for (int row = 0; row < 3; ++row) {
      EXPECT_NEAR(e[4 * t.from + row], row == t.onto ? 1.0f : 0.0f, 1e-7f) << "row " << row;
    }
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
    startFromSkewedMatrix();
    if (c.axisX != 0 || c.axisY != 0 || c.axisZ != 0) glRotatef(30, c.axisX, c.axisY, c.axisZ);
    const Matrix expected = readMatrix(GL_MODELVIEW_MATRIX);
    startFromSkewedMatrix();
    applyRotate(30, c.onX, c.onY, c.onZ);
    EXPECT_TRUE(matricesNear(readMatrix(GL_MODELVIEW_MATRIX), expected, 2e-6f));
  }
}

}  // namespace
