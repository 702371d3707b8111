// The viewing transform against gluLookAt, and the cameras it refuses.

#include "transform/look_at.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "gl_test_support.h"

namespace {

struct Camera {
  std::string name;
  float eye[3];
  float centre[3];
  float up[3];
};

void applyOurs(const Camera &c) {
  applyLookAt(c.eye[0], c.eye[1], c.eye[2], c.centre[0], c.centre[1], c.centre[2], c.up[0], c.up[1], c.up[2]);
}

const std::vector<Camera> &workingCameras() {
  static const std::vector<Camera> cameras = {
      {"default", {1, 1, 1}, {0, 0, 0}, {0, 1, 0}},
      {"command-line example", {3, 4, 5}, {0, 0, 0}, {0, 1, 0}},
      {"off-centre target", {2, -1, 7}, {1, 2, -3}, {0, 0, 1}},
      {"unnormalised, tilted up", {-4, 2, 1}, {0, 0, 0}, {3, 10, -2}},
      {"looking straight down -z", {0, 0, 5}, {0, 0, 0}, {0, 1, 0}},
      {"far away", {2000000000, 1, 1}, {0, 0, 0}, {0, 1, 0}},
  };
  return cameras;
}

TEST(LookAt, MatchesGluLookAt) {
  for (const Camera &c : workingCameras()) {
    SCOPED_TRACE(c.name);
    // The translation column scales with the eye's distance.
    const float scale = std::max({1.0f, std::abs(c.eye[0]), std::abs(c.eye[1]), std::abs(c.eye[2])});
    EXPECT_TRUE(sameMatrixAsGl(
        [&] {
          gluLookAt(c.eye[0], c.eye[1], c.eye[2], c.centre[0], c.centre[1], c.centre[2], c.up[0], c.up[1],
                    c.up[2]);
        },
        [&] { applyOurs(c); }, 2e-6f * scale));
  }
}

TEST(LookAt, SendsTheEyeToTheOriginAndTheCentreOntoMinusZ) {
  for (const Camera &c : workingCameras()) {
    if (c.name == "far away") continue;  // float cancellation swamps the check
    SCOPED_TRACE(c.name);
    resetMatrices();
    applyOurs(c);
    const Matrix m = readMatrix(GL_MODELVIEW_MATRIX);
    const auto eye = transformPoint(m, c.eye[0], c.eye[1], c.eye[2], 1);
    EXPECT_NEAR(eye[0], 0, 1e-5f);
    EXPECT_NEAR(eye[1], 0, 1e-5f);
    EXPECT_NEAR(eye[2], 0, 1e-5f);

    const auto centre = transformPoint(m, c.centre[0], c.centre[1], c.centre[2], 1);
    const float distance =
        std::sqrt(std::pow(c.eye[0] - c.centre[0], 2.0f) + std::pow(c.eye[1] - c.centre[1], 2.0f) +
                  std::pow(c.eye[2] - c.centre[2], 2.0f));
    EXPECT_NEAR(centre[0], 0, 1e-5f);
    EXPECT_NEAR(centre[1], 0, 1e-5f);
    EXPECT_NEAR(centre[2], -distance, 1e-5f);

    // The up vector ends up in the upper half of the view.
    const auto up = transformPoint(m, c.up[0], c.up[1], c.up[2], 0);
    EXPECT_GT(up[1], 0);
  }
}

TEST(LookAt, CamerasThatCannotBeOrientedLeaveTheMatrixAlone) {
  const std::vector<Camera> cameras = {
      {"eye on the centre", {2, 2, 2}, {2, 2, 2}, {0, 1, 0}},
      {"zero up", {1, 1, 1}, {0, 0, 0}, {0, 0, 0}},
      {"up along the line of sight", {0, 5, 0}, {0, 0, 0}, {0, 1, 0}},
      {"up against the line of sight", {1, 1, 1}, {0, 0, 0}, {-2, -2, -2}},
  };
  for (const Camera &c : cameras) {
    SCOPED_TRACE(c.name);
    resetMatrices();
    glTranslatef(1, 2, 3);
    const Matrix before = readMatrix(GL_MODELVIEW_MATRIX);
    applyOurs(c);
    const Matrix after = readMatrix(GL_MODELVIEW_MATRIX);
    EXPECT_TRUE(matricesNear(after, before, 0));
    for (float entry : after) EXPECT_TRUE(std::isfinite(entry));
  }
}

}  // namespace
