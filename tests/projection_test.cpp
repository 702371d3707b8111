// Projection boxes, the projection switch and the reshape callback, against
// glOrtho, glFrustum and GL's own viewport.

#include "transform/projection.h"

#include <GL/gl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/scene_state.h"
#include "gl_test_support.h"

namespace {

const char kProjectionError[] = "Projection error! Invalid Parameters";

struct Box {
  float l, r, b, t, n, f;
};

// Our orthographic box is glOrtho without the translation column: for a
// symmetric box, glOrtho over the same depth span centred on the eye. Our
// frustum is glFrustum for boxes centred on the view axis.
TEST(ProjectionTest, EachBoxMatchesOpenGlsOwn) {
  const struct {
    bool ortho;
    Box box;
  } cases[] = {
      // The viewer's two boxes: eye-space depths from +3.6 to -3.6, and from
      // -0.54 to -3.6, land on the near and the far plane.
      {true, {-1.2f, 1.2f, -1.2f, 1.2f, 0, 7.2f}},
      {true, {-2, 2, -1, 1, 1, 5}},
      {true, {-0.5f, 0.5f, -3, 3, -2, 10}},
      {true, {1, -1, 1, -1, 7.2f, 0}},                   // mirrored
      {false, {-0.6f, 0.6f, -0.6f, 0.6f, 0.54f, 3.6f}},  // the viewer's
      {false, {-1, 1, -0.5f, 0.5f, 1, 100}},
      {false, {-0.1f, 0.1f, -0.2f, 0.2f, 0.05f, 2}},
  };
  for (const auto &[ortho, b] : cases) {
    SCOPED_TRACE(::testing::Message() << (ortho ? "ortho " : "frustum ") << b.l << " " << b.r << " " << b.b
                                      << " " << b.t << " " << b.n << " " << b.f);
    const float halfDepth = (b.f - b.n) / 2;
    EXPECT_TRUE(sameMatrixAsGl(
        [&] {
          ortho ? glOrtho(b.l, b.r, b.b, b.t, -halfDepth, halfDepth)
                : glFrustum(b.l, b.r, b.b, b.t, b.n, b.f);
        },
        [&] {
          ortho ? applyOrtho(b.l, b.r, b.b, b.t, b.n, b.f) : applyFrustum(b.l, b.r, b.b, b.t, b.n, b.f);
        },
        2e-6f));
  }
}

TEST(ProjectionTest, DegenerateBoxPrintsOnceAndLeavesTheMatrix) {
  struct BadBox {
    std::string name;
    bool ortho;
    Box box;
  };
  const std::vector<BadBox> cases = {
      {"ortho, near = far", true, {-1, 1, -1, 1, 5, 5}},
      {"ortho, left = right", true, {1, 1, -1, 1, 0, 5}},
      {"ortho, bottom = top", true, {-1, 1, 2, 2, 0, 5}},
      {"frustum, near = far", false, {-1, 1, -1, 1, 2, 2}},
      {"frustum, left = right", false, {0, 0, -1, 1, 1, 5}},
      {"frustum, bottom = top", false, {-1, 1, -1, -1, 1, 5}},
      {"frustum, everything equal", false, {0, 0, 0, 0, 0, 0}},
  };
  for (const BadBox &c : cases) {
    SCOPED_TRACE(c.name);
    resetMatrices();
    glRotatef(20, 1, 2, 3);
    const Matrix before = readMatrix(GL_MODELVIEW_MATRIX);
    ::testing::internal::CaptureStdout();
    if (c.ortho) {
      applyOrtho(c.box.l, c.box.r, c.box.b, c.box.t, c.box.n, c.box.f);
    } else {
      applyFrustum(c.box.l, c.box.r, c.box.b, c.box.t, c.box.n, c.box.f);
    }
    std::fflush(stdout);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), kProjectionError);
    EXPECT_TRUE(matricesNear(readMatrix(GL_MODELVIEW_MATRIX), before, 0));
  }
}

// The largest centred square, with the projection rebuilt for it; the size
// the window was asked for stays as it was.
TEST(ProjectionTest, ReshapeKeepsTheLargestCentredSquareAndRebuildsTheProjection) {
  struct Viewport {
    int w, h;
    GLint expected[4];
  };
  const std::vector<Viewport> cases = {
      {600, 600, {0, 0, 600, 600}}, {800, 600, {100, 0, 600, 600}}, {600, 601, {0, 0, 600, 600}},
      {601, 600, {0, 0, 600, 600}}, {300, 900, {0, 300, 300, 300}}, {1, 5000, {0, 2499, 1, 1}},
      {0, 0, {0, 0, 0, 0}},
  };
  glFrustum(-0.6, 0.6, -0.6, 0.6, 0.54, 3.6);
  const Matrix frustum = readMatrix(GL_MODELVIEW_MATRIX);
  sceneState.orthoView = 0;
  for (const Viewport &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.w << " x " << c.h);
    resetMatrices();
    reshapeWindow(c.w, c.h);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_THAT(viewport, ::testing::ElementsAreArray(c.expected));
    EXPECT_TRUE(matricesNear(readMatrix(GL_PROJECTION_MATRIX), frustum, 2e-6f));
    EXPECT_THAT(sceneState.windowSize, ::testing::ElementsAre(600, 600));
  }
}

}  // namespace
