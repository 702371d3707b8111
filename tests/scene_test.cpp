// Whole frames of the real displayScene, each set up by the viewer's own
// start-up code, against the reference picture that OpenGL's own calls draw
// from constants written out in reference_scene.h: view by view, the two must
// agree but for a few edge pixels where rounding tips a fragment either way.

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/scene_state.h"
#include "gl_test_support.h"
#include "gl_window.h"
#include "reference_scene.h"
#include "scene/display_scene.h"
#include "viewer_window.h"

namespace {

// Edge pixels the two pipelines may disagree on in a whole frame; more where
// glRotatef's float arithmetic meets an angle of thousands of degrees.
constexpr int kEdgeTolerance = 50;
constexpr int kLongSpinTolerance = 150;

using Frame = std::vector<unsigned char>;

bool pixelDiffers(const Frame &a, const Frame &b, std::size_t p) {
  for (std::size_t c = 0; c < 3; ++c) {
    if (std::abs(a[p + c] - b[p + c]) > 2) return true;
  }
  return false;
}

int differingPixels(const Frame &a, const Frame &b) {
  int count = 0;
  for (std::size_t p = 0; p < a.size(); p += 3) count += pixelDiffers(a, b, p);
  return count;
}

// Which part the reference shows at each pixel, in the red channel: 0 for
// none, else 1 + its index in referenceParts().
Frame partMap(const ReferenceView &view) {
  restoreDefaultGlState();
  glEnable(GL_DEPTH_TEST);
  glViewport(0, 0, kMainWindowSide, kMainWindowSide);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  applyReferenceCamera(view);
  const std::vector<ReferencePart> &parts = referenceParts();
  for (std::size_t i = 0; i < parts.size(); ++i) {
    glColor3ub(static_cast<GLubyte>(i + 1), 0, 0);
    drawReferencePart(parts[i], view);
  }
  return readPixels(kMainWindowSide, kMainWindowSide);
}

// What a failure says: per part, how many pixels are shaded differently
// (lit in both pictures: light, material, normals) and how many are covered
// differently (background in one: shape, place, projection).
std::string whereTheyDiffer(const ReferenceView &view, const Frame &viewer, const Frame &reference) {
  const Frame map = partMap(view);
  const std::vector<ReferencePart> &parts = referenceParts();
  std::vector<int> shading(parts.size() + 1), coverage(parts.size() + 1);
  for (std::size_t p = 0; p < viewer.size(); p += 3) {
    if (!pixelDiffers(viewer, reference, p)) continue;
    ++(isLit(viewer, p) && isLit(reference, p) ? shading : coverage)[map[p]];
  }
  std::ostringstream out;
  for (const auto &[what, counts] : {std::pair{"shading", &shading}, std::pair{"coverage", &coverage}}) {
    std::string on;
    for (std::size_t i = 0; i < counts->size(); ++i) {
      if ((*counts)[i] == 0) continue;
      on += std::string(" ") + (i == 0 ? "background" : parts[i - 1].name) + " (" +
            std::to_string((*counts)[i]) + ")";
    }
    if (!on.empty()) out << "\n  " << what << " differs on" << on;
  }
  return out.str();
}

// The viewer set to show what the view shows.
void setViewer(const ReferenceView &v) {
  SceneState &s = sceneState;
  s.orthoView = v.orthographic;
  s.showGrid = v.grid;
  s.wireframe = v.wireframe;
  s.spinCountX = static_cast<int>(v.spin[0]);
  s.spinCountY = static_cast<int>(v.spin[1]);
  s.spinCountZ = static_cast<int>(v.spin[2]);
  s.vehicleX = v.vehicleX;
  s.bodyYaw = v.bodyYaw;
  s.jointAngle1 = v.joints[0];
  s.jointAngle2 = v.joints[1];
  s.jointAngle3 = v.joints[2];
  std::copy(v.camera.begin(), v.camera.end(), s.cameraParams);
  std::copy(v.light.begin(), v.light.end(), s.lightPosition);
}

// A frame of the viewer, in a context that holds nothing but what its own
// start-up sets.
Frame viewerFrame() {
  restoreDefaultGlState();
  setUpViewerWindow();
  displayScene();
  return readPixels(kMainWindowSide, kMainWindowSide);
}

Frame referenceFrame(const ReferenceView &view) {
  restoreDefaultGlState();
  setUpReferenceLighting();
  glViewport(0, 0, kMainWindowSide, kMainWindowSide);
  drawReferenceFrame(view);
  return readPixels(kMainWindowSide, kMainWindowSide);
}

TEST(SceneTest, EveryViewIsTheReferencePicture) {
  const struct {
    const char *name, *words;
  } cases[] = {
      {"default view", ""},
      {"perspective", "perspective"},
      {"no grid", "no-grid"},
      {"wire-frame", "wireframe"},
      {"driven along x: the grid stays, the wheels roll", "vehicle 1.3"},
      {"driven back, wire-frame", "vehicle -2.5 wireframe"},
      {"body turned", "yaw 27"},
      {"arm bent", "joints -27 -36 -60"},
      {"arm folded, perspective", "joints -90 -90 -90 perspective"},
      {"scene spun", "spin 5 20 40"},
      {"another camera, lit from the eye", "camera 2 1 2 0 0 0 0 1 0 light 2 1 2"},
      {"lit from the left", "light -3 1 0.5"},
      {"close camera, perspective: the near plane opens the arm", "camera 1 1 0 0 0 0 0 1 0 perspective"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    ReferenceView view;
    ASSERT_TRUE(readReferenceView(c.words, view)) << c.words;
    sceneState = SceneState{};
    setViewer(view);
    const Frame viewer = viewerFrame();
    const Frame reference = referenceFrame(view);
    ASSERT_GT(litPixelCount(reference), kMainWindowSide * kMainWindowSide / 50)
        << "the reference drew almost nothing";
    EXPECT_LE(differingPixels(viewer, reference), kEdgeTolerance) << whereTheyDiffer(view, viewer, reference);
  }
}

// A viewer left spinning for hours: the counters wrap to 0..359 however many
// frames go by, and the picture is the one of the unwrapped angle, with the
// other axes left where they were.
TEST(SceneTest, LongSpinsWrapToTheSamePicture) {
  // glRotatef turns its angle into radians in float, so from about 10^5
  // degrees GL's own rotation drifts by pixels; beyond this many frames the
  // reference turns by the angle modulo 360, which still proves the counter
  // wrapped to the right degree.
  constexpr int kGlRotatefAccurateUpTo = 40'000;
  const struct {
    int axis, frames;
    bool orthographic;
  } table[] = {
      {1, 359, true},     {1, 360, true},     {1, 361, true},       {1, 1000, true},       {1, 36'001, true},
      {1, 39'997, true},  {0, 725, true},     {2, 4'321, true},     {1, 361, false},       {0, 36'017, false},
      {2, 39'989, false}, {1, 216'017, true}, {1, 5'184'131, true}, {0, 5'184'131, false},
  };
  for (const auto &row : table) {
    SCOPED_TRACE(std::string("spin ") + "XYZ"[row.axis] + " for " + std::to_string(row.frames) + " frames" +
                 (row.orthographic ? "" : ", perspective"));
    // An asymmetric pose, so that no turn maps the model onto itself.
    ReferenceView view;
    view.orthographic = row.orthographic;
    view.joints = {-30, -45, 0};
    sceneState = SceneState{};
    setViewer(view);
    int *const flags[] = {&sceneState.spinX, &sceneState.spinY, &sceneState.spinZ};
    int *const counts[] = {&sceneState.spinCountX, &sceneState.spinCountY, &sceneState.spinCountZ};
    *flags[row.axis] = 1;
    // Every frame but the last advances the counter as a frame does; the
    // last is a real frame, which advances it once more and draws.
    for (int frame = 1; frame < row.frames; ++frame) advanceSpin(*counts[row.axis]);
    const Frame viewer = viewerFrame();
    ASSERT_EQ(*counts[row.axis], row.frames % 360);
    // Stopping freezes the angle; starting again goes on from there.
    *flags[row.axis] = 0;
    displayScene();
    EXPECT_EQ(*counts[row.axis], row.frames % 360);
    *flags[row.axis] = 1;
    displayScene();
    EXPECT_EQ(*counts[row.axis], (row.frames + 1) % 360);

    const int degrees = row.frames <= kGlRotatefAccurateUpTo ? row.frames : row.frames % 360;
    view.spin[row.axis] = static_cast<float>(degrees);
    const Frame reference = referenceFrame(view);
    // One degree further must look clearly different, or the comparison
    // could not tell a wrong angle from the right one.
    view.spin[row.axis] += 1;
    const Frame oneMore = referenceFrame(view);
    EXPECT_LE(differingPixels(viewer, reference), kLongSpinTolerance);
    EXPECT_GT(differingPixels(viewer, oneMore), 4 * kLongSpinTolerance);
  }
}

}  // namespace
