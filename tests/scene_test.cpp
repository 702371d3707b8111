// Whole frames of the real displayScene, checked against what OpenGL itself
// says: its own matrices tell where each part must appear, and the pixels
// read back tell what was drawn there.

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/scene_state.h"
#include "gl_test_support.h"
#include "scene/display_scene.h"
#include "transform/projection.h"

namespace {

constexpr int kSide = 600;

// Where a part's local point lands on screen, found with glOrtho / glFrustum,
// gluLookAt and glTranslatef / glRotatef / glScalef alone, then gluProject.
struct ScreenPoint {
  int x;
  int y;
};

void placeVehicle(const SceneState &s) {
  glScalef(0.1f, 0.1f, 0.1f);
  glTranslatef(s.vehicleX, 0, 0);
}

void placeBody(const SceneState &s) {
  placeVehicle(s);
  glTranslatef(0, 1.5f, 0);
  glRotatef(s.bodyYaw, 0, 1, 0);
}

void placeMount(const SceneState &s) {
  placeBody(s);
  glTranslatef(2.5f, 1.5f, 0);
}

void hingeAbout(float x, float y, float degrees) {
  glTranslatef(x, y, 0);
  glRotatef(degrees, 0, 0, 1);
  glTranslatef(-x, -y, 0);
}

void placePost(const SceneState &s) {
  placeMount(s);
  glTranslatef(1, 3, 0);
  hingeAbout(0, -3, s.jointAngle1);
}

void placeBeam(const SceneState &s) {
  placePost(s);
  glTranslatef(3, 3, 0);
  hingeAbout(-2, 0, s.jointAngle2);
}

void placeEndBlock(const SceneState &s) {
  placeBeam(s);
  glTranslatef(3, -1, 0);
  hingeAbout(-0.5f, 0.5f, s.jointAngle3);
}

ScreenPoint projectWithOpenGl(const std::function<void(const SceneState &)> &place, float x, float y,
                              float z) {
  const SceneState &s = sceneState;
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  if (s.orthoView != 0) {
    glOrtho(-1.2, 1.2, -1.2, 1.2, -3.6, 3.6);
  } else {
    glFrustum(-0.6, 0.6, -0.6, 0.6, 0.54, 3.6);
  }
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  const float *c = s.cameraParams;
  gluLookAt(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8]);
  glRotatef(s.spinCountX, 1, 0, 0);
  glRotatef(s.spinCountY, 0, 1, 0);
  glRotatef(s.spinCountZ, 0, 0, 1);
  place(s);

  GLdouble modelView[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble wx = 0, wy = 0, wz = 0;
  gluProject(x, y, z, modelView, projection, viewport, &wx, &wy, &wz);

  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  return {static_cast<int>(wx), static_cast<int>(wy)};
}

struct Part {
  std::string name;
  std::function<void(const SceneState &)> place;
  std::array<float, 3> visiblePoint;  // in the part's own frame
  std::string colour;
};

// A point on a face of each part that looks towards a camera in the +x +y +z
// octant, nothing else in front of it.
const std::vector<Part> &vehicleParts() {
  static const std::vector<Part> parts = {
      {"platform front", [](const SceneState &s) { placeVehicle(s); }, {0, -0.25f, 5}, "yellow"},
      {"front-right wheel",
       [](const SceneState &s) {
         placeVehicle(s);
         glTranslatef(2.5f, 0, 5);
       },
       {0, -0.7f, 0.4f},
       "cyan"},
      {"front-left wheel",
       [](const SceneState &s) {
         placeVehicle(s);
         glTranslatef(-2.5f, 0, 5);
       },
       {0, -0.7f, 0.4f},
       "cyan"},
      {"body front", placeBody, {0, 0, 2.95f}, "red"},
      {"mount front", placeMount, {0, 0, 0.45f}, "green"},
      {"first arm segment front", placePost, {0, 3, 0.45f}, "white"},
      {"second arm segment front", placeBeam, {0, 0, 0.45f}, "magenta"},
      {"end block front", placeEndBlock, {0, 0, 0.45f}, "cyan"},
  };
  return parts;
}

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    prepareViewerWindow();
    glMatrixMode(GL_MODELVIEW);
  }

  static std::string colourAt(const ScreenPoint &p) { return colourFamily(readPixel(p.x, p.y)); }

  // Whether anything brighter than the background lies within a pixel of p:
  // one-pixel lines need not cover the exact projected point.
  static bool anythingNear(const ScreenPoint &p) {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (colourFamily(readPixel(p.x + dx, p.y + dy)) != "black") return true;
      }
    }
    return false;
  }

  void expectEveryPartWhereOpenGlPutsIt() {
    for (const Part &part : vehicleParts()) {
      SCOPED_TRACE(part.name);
      const ScreenPoint p =
          projectWithOpenGl(part.place, part.visiblePoint[0], part.visiblePoint[1], part.visiblePoint[2]);
      ASSERT_GE(p.x, 0);
      ASSERT_LT(p.x, kSide);
      ASSERT_GE(p.y, 0);
      ASSERT_LT(p.y, kSide);
      const Rgb px = readPixel(p.x, p.y);
      EXPECT_EQ(colourAt(p), part.colour)
          << "at " << p.x << ", " << p.y << " rgb " << px.r << " " << px.g << " " << px.b;
    }
  }
};

// A point on the x-y grid, off to the side where nothing covers it.
ScreenPoint gridPoint() {
  return projectWithOpenGl([](const SceneState &) { glScalef(0.1f, 0.1f, 0.1f); }, -6, -8, 0);
}

TEST_F(SceneTest, DefaultViewShowsEachPartInItsColourWhereOpenGlPutsIt) {
  displayScene();
  expectEveryPartWhereOpenGlPutsIt();
  EXPECT_TRUE(anythingNear(gridPoint()));
  EXPECT_EQ(colourAt({2, 2}), "black") << "corner background";
}

TEST_F(SceneTest, PosedAndMovedVehicleStillMatchesOpenGl) {
  struct Pose {
    std::string name;
    std::function<void(SceneState &)> set;
  };
  const std::vector<Pose> poses = {
      {"perspective", [](SceneState &s) { s.orthoView = 0; }},
      {"driven along x", [](SceneState &s) { s.vehicleX = 1.3f; }},
      {"driven back", [](SceneState &s) { s.vehicleX = -2.5f; }},
      {"body turned", [](SceneState &s) { s.bodyYaw = 27; }},
      {"arm bent",
       [](SceneState &s) {
         s.jointAngle1 = -27;
         s.jointAngle2 = -36;
         s.jointAngle3 = -60;
       }},
      {"scene spun",
       [](SceneState &s) {
         s.spinCountY = 20;
         s.spinCountX = 5;
       }},
      {"another camera",
       [](SceneState &s) {
         const float camera[9] = {2, 1, 2, 0, 0, 0, 0, 1, 0};
         std::copy(camera, camera + 9, s.cameraParams);
         std::copy(camera, camera + 3, s.lightPosition);
       }},
  };
  for (const Pose &pose : poses) {
    SCOPED_TRACE(pose.name);
    sceneState = SceneState{};
    pose.set(sceneState);
    displayScene();
    expectEveryPartWhereOpenGlPutsIt();
  }
}

TEST_F(SceneTest, FlagsChangeThePictureAsTheyShould) {
  displayScene();
  const int solidPixels = litPixelCount(readFrame());
  const ScreenPoint grid = gridPoint();
  const Part &platform = vehicleParts().front();
  const ScreenPoint platformPoint = projectWithOpenGl(platform.place, platform.visiblePoint[0],
                                                      platform.visiblePoint[1], platform.visiblePoint[2]);
  ASSERT_EQ(colourAt(platformPoint), "yellow");

  sceneState.showGrid = 0;
  displayScene();
  EXPECT_FALSE(anythingNear(grid)) << "grid off";
  EXPECT_EQ(colourAt(platformPoint), "yellow") << "the vehicle is unchanged";

  sceneState.showGrid = 1;
  sceneState.wireframe = 1;
  displayScene();
  EXPECT_NE(colourAt(platformPoint), "yellow") << "a wire-frame platform has no face";
  EXPECT_LT(litPixelCount(readFrame()), solidPixels / 2);
  EXPECT_TRUE(anythingNear(grid));
}

TEST_F(SceneTest, SpinCountersAdvanceOnlyWhileTheirFlagIsSet) {
  sceneState.spinY = 1;
  for (int i = 0; i < 5; ++i) displayScene();
  EXPECT_EQ(sceneState.spinCountX, 0);
  EXPECT_EQ(sceneState.spinCountY, 5);
  EXPECT_EQ(sceneState.spinCountZ, 0);

  sceneState.spinY = 0;
  displayScene();
  EXPECT_EQ(sceneState.spinCountY, 5) << "switching off freezes the angle";

  sceneState.spinX = sceneState.spinY = sceneState.spinZ = 1;
  displayScene();
  EXPECT_EQ(sceneState.spinCountX, 1);
  EXPECT_EQ(sceneState.spinCountY, 6) << "switching on continues from there";
  EXPECT_EQ(sceneState.spinCountZ, 1);
}

}  // namespace
