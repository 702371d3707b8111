// A viewer left spinning for hours: the auto-rotation counters wrap to
// 0..359 however many frames go by, and wrapping them must not change the
// picture. The oracle for the picture is the same scene drawn with
// OpenGL's own glRotatef given the full, unwrapped number of degrees.

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "../bench/gl_native_scene.h"
#include "app/scene_state.h"
#include "gl_test_support.h"
#include "scene/display_scene.h"
#include "transform/projection.h"

namespace {

constexpr int kSide = 600;

class RobustLongRunFrames : public ::testing::Test {
 protected:
  void SetUp() override { prepareViewerWindow(); }
};

// Pixels whose colour differs by more than rounding between two pictures.
int differingPixels(const std::vector<unsigned char> &a, const std::vector<unsigned char> &b) {
  int count = 0;
  for (std::size_t p = 0; p < a.size(); p += 3) {
    for (std::size_t c = 0; c < 3; ++c) {
      if (std::abs(a[p + c] - b[p + c]) > 2) {
        ++count;
        break;
      }
    }
  }
  return count;
}

// Rendering differences the two pipelines may show on a whole frame: a few
// edge pixels where rounding tips a fragment one way or the other.
constexpr int kEdgeTolerance = 150;

// glRotatef takes its angle as a float and Mesa turns it into radians in
// float, so from about 10^5 degrees GL's own rotation drifts visibly (at
// 100 000 to 150 000 degrees it already moves one to a few hundred pixels,
// more the further it goes). Beyond
// this count the oracle turns by the same angle taken modulo 360 instead;
// those rows still prove the counter wrapped to the right degree after
// millions of frames.
constexpr int kGlRotatefAccurateUpTo = 40'000;

TEST_F(RobustLongRunFrames, WrappedSpinDrawsTheSamePictureAsTheUnwrappedAngle) {
  enum Axis { X, Y, Z };
  const struct {
    Axis axis;
    int frames;
    int orthoView;
  } table[] = {
      {Y, 359, 1},    {Y, 360, 1},     {Y, 361, 1},       {Y, 1000, 1},      {Y, 36'001, 1},
      {Y, 39'997, 1}, {X, 725, 1},     {Z, 4'321, 1},     {Y, 361, 0},       {X, 36'017, 0},
      {Z, 39'989, 0}, {Y, 216'017, 1}, {Y, 5'184'131, 1}, {X, 5'184'131, 0},
  };
  for (const auto &row : table) {
    const char axisName = "XYZ"[row.axis];
    SCOPED_TRACE(std::string("spin ") + axisName + " for " + std::to_string(row.frames) + " frames, " +
                 (row.orthoView != 0 ? "orthographic" : "perspective"));
    sceneState = SceneState{};
    sceneState.orthoView = row.orthoView;
    sceneState.jointAngle1 = -30;  // an asymmetric pose, so no turn maps the model onto itself
    sceneState.jointAngle2 = -45;
    int *const flags[] = {&sceneState.spinX, &sceneState.spinY, &sceneState.spinZ};
    int *const counts[] = {&sceneState.spinCountX, &sceneState.spinCountY, &sceneState.spinCountZ};
    *flags[row.axis] = 1;

    // All frames but the last advance the counter exactly as a frame does;
    // the last is a real frame, which advances it once more and draws.
    for (int frame = 1; frame < row.frames; ++frame) advanceSpin(*counts[row.axis]);
    displayScene();
    ASSERT_EQ(*counts[row.axis], row.frames % 360);
    const std::vector<unsigned char> wrapped = readFrame();

    auto oracle = [&](int degrees) {
      float angles[3] = {0, 0, 0};
      angles[row.axis] = static_cast<float>(degrees);
      gl_native::drawScene(sceneState, angles[0], angles[1], angles[2]);
      return readFrame();
    };
    const int oracleDegrees = row.frames <= kGlRotatefAccurateUpTo ? row.frames : row.frames % 360;
    const std::vector<unsigned char> unwrapped = oracle(oracleDegrees);
    // One degree further round must look clearly different, or the
    // comparison could not tell a wrong angle from a right one.
    const std::vector<unsigned char> oneMore = oracle(oracleDegrees + 1);

    ASSERT_GT(litPixelCount(wrapped), kSide * kSide / 50) << "the frame drew almost nothing";
    const int differing = differingPixels(wrapped, unwrapped);
    const int differingByOneDegree = differingPixels(wrapped, oneMore);
    EXPECT_LE(differing, kEdgeTolerance);
    EXPECT_GT(differingByOneDegree, 4 * kEdgeTolerance);
    std::cout << "spin " << axisName << " x" << row.frames << ": " << differing
              << " pixels differ from glRotatef(" << oracleDegrees << "), " << differingByOneDegree
              << " from one degree more\n";
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
