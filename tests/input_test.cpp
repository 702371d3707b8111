// Keys and drags in the main window, through the same callbacks GLUT calls,
// and the rows of the control panel the viewer builds.

#include <GL/freeglut.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/scene_state.h"
#include "gl_test_support.h"
#include "glui_testing.h"
#include "input/control_panel.h"
#include "input/keyboard.h"
#include "input/mouse.h"

namespace {

// Every key code, each from the same start: a key of the table sets its one
// field (toggles come back on a second press), any other changes nothing.
TEST(InputTest, EachKeyChangesItsOwnSettingAndNothingElse) {
  const struct {
    unsigned char key;
    int SceneState::*field;
    int value;  // after one press, from the start below
    bool toggles;
  } table[] = {
      {'x', &SceneState::spinX, 1, true},      {'y', &SceneState::spinY, 1, true},
      {'z', &SceneState::spinZ, 1, true},      {'g', &SceneState::showGrid, 0, true},
      {'w', &SceneState::wireframe, 1, true},  {'p', &SceneState::orthoView, 0, false},
      {'o', &SceneState::orthoView, 1, false}, {'1', &SceneState::mouseMode, 0, false},
      {'2', &SceneState::mouseMode, 1, false}, {'3', &SceneState::mouseMode, 2, false},
      {'4', &SceneState::mouseMode, 3, false}, {'5', &SceneState::mouseMode, 4, false},
  };
  SceneState start;
  start.mouseMode = 2;
  for (int code = 0; code < 256; ++code) {
    const unsigned char key = static_cast<unsigned char>(code);
    SCOPED_TRACE(::testing::Message() << "key " << code << " '" << key << "'");
    SceneState expected = start;
    bool toggles = false;
    for (const auto &row : table) {
      if (row.key != key) continue;
      expected.*row.field = row.value;
      toggles = row.toggles;
    }
    sceneState = start;
    onKey(key, 5, 5);
    EXPECT_TRUE(sameState(sceneState, expected));
    onKey(key, 5, 5);
    EXPECT_TRUE(sameState(sceneState, toggles ? start : expected)) << "pressed twice";
  }
}

TEST(InputTest, ProjectionKeysRebuildTheProjectionAtOnce) {
  onKey('p', 0, 0);
  EXPECT_EQ(readMatrix(GL_PROJECTION_MATRIX)[11], -1) << "a frustum divides by depth";
  onKey('o', 0, 0);
  EXPECT_EQ(readMatrix(GL_PROJECTION_MATRIX)[11], 0);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

// A button event, of any button going either way, only remembers where it
// was, and the next drag is measured from there. Expected values are float32
// arithmetic worked out by hand, step by step: d, then / 600, * 0.6f, * 3.0f,
// each rounded to float.
TEST(InputTest, VehicleDragMovesFromTheLastButtonEventAtTheConfiguredWidthToTheLastBit) {
  struct Drag {
    bool pressed;  // false: no button event, so measured from the start's 300
    int button, state, at;
    int dragTo;
    float expected;
  };
  const std::vector<Drag> drags = {
      {true, GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 300, 0x1.333334p-1f},    // 0.6 for 200 pixels
      {false, 0, 0, 0, 400, 0x1.333334p-2f},                            // 0.3 for 100 pixels
      {true, GLUT_LEFT_BUTTON, GLUT_UP, 300, 301, 0x1.89374cp-9f},      // one pixel
      {true, GLUT_RIGHT_BUTTON, GLUT_DOWN, 300, 299, -0x1.89374cp-9f},  // one pixel back
      {true, GLUT_MIDDLE_BUTTON, GLUT_UP, 0, 600, 0x1.cccccep+0f},      // a whole width: 1.8000001, not 1.8f
      {true, 3, GLUT_DOWN, 600, 1, -0x1.cc0834p+0f},                    // the wheel, turned up
      {true, 4, GLUT_UP, 250, 250, 0},
      {true, GLUT_RIGHT_BUTTON, GLUT_UP, -5, 295, 0x1.cccccep-1f},  // from left of the window
  };
  for (const Drag &d : drags) {
    SCOPED_TRACE(::testing::Message() << (d.pressed ? "" : "no button event, ") << "button " << d.button
                                      << " state " << d.state << " at " << d.at << ", drag to " << d.dragTo);
    sceneState = SceneState{};
    SceneState expected = sceneState;
    if (d.pressed) {
      onMouse(d.button, d.state, d.at, 99);
      expected.lastMouseX = d.at;
      EXPECT_TRUE(sameState(sceneState, expected)) << "after the button event";
    }
    onDrag(d.dragTo, 0);
    expected.vehicleX = d.expected;
    expected.lastMouseX = d.dragTo;
    EXPECT_TRUE(sameState(sceneState, expected)) << "after the drag";
  }
}

TEST(InputTest, VehicleDragIgnoresTheCurrentWindowSize) {
  auto resizeTo = [](int w, int h) {
    glutReshapeWindow(w, h);
    return pumpUntil([=] { return glutGet(GLUT_WINDOW_WIDTH) == w && glutGet(GLUT_WINDOW_HEIGHT) == h; });
  };
  ASSERT_TRUE(resizeTo(900, 300)) << "the test window never became 900 x 300";
  onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 0);
  onDrag(300, 0);
  EXPECT_EQ(sceneState.vehicleX, 0x1.333334p-1f);
  EXPECT_TRUE(resizeTo(600, 600)) << "the test window never came back to 600 x 600";
}

TEST(InputTest, JointDragsStepPerEventAndStayWithinTheirRange) {
  struct JointCase {
    std::string name;
    unsigned char key;
    float SceneState::*angle;
    float step;
  };
  const std::vector<JointCase> joints = {
      {"first joint", '3', &SceneState::jointAngle1, 9},
      {"second joint", '4', &SceneState::jointAngle2, 9},
      {"end block", '5', &SceneState::jointAngle3, 6},
  };
  for (const JointCase &j : joints) {
    SCOPED_TRACE(j.name);
    sceneState = SceneState{};
    onKey(j.key, 0, 0);
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 0);

    for (int x : {299, 290, 100}) onDrag(x, 123);  // three events left, however far each goes
    EXPECT_EQ(sceneState.*j.angle, -3 * j.step);
    onDrag(101, 123);
    EXPECT_EQ(sceneState.*j.angle, -2 * j.step) << "one step right";

    for (int x = 100; x > -2000; x -= 7) onDrag(x, 0);
    EXPECT_EQ(sceneState.*j.angle, -90) << "stops at -90";
    for (int x = -2000; x < 2000; x += 3) onDrag(x, 0);
    EXPECT_EQ(sceneState.*j.angle, 0) << "stops at 0";

    // Only the selected joint moved.
    const float total = sceneState.jointAngle1 + sceneState.jointAngle2 + sceneState.jointAngle3;
    EXPECT_EQ(total, 0);
    EXPECT_EQ(sceneState.vehicleX, 0);
    EXPECT_EQ(sceneState.bodyYaw, 0);
  }
}

TEST(InputTest, BodyTurnsWithoutBoundAndAVerticalDragCountsAsLeft) {
  onKey('2', 0, 0);
  onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 200, 10);
  for (int y = 11; y < 61; ++y) onDrag(200, y);  // straight down
  EXPECT_EQ(sceneState.bodyYaw, -450) << "past a full turn, never wrapped";
  onDrag(201, 61);
  EXPECT_EQ(sceneState.bodyYaw, -441);
}

TEST(InputTest, EveryDragEndsByRememberingXAndAskingForARedraw) {
  // The redraw request is observable through GLUT: the display callback runs
  // on a later pass of the event loop.
  static int redraws = 0;
  glutDisplayFunc([] { ++redraws; });
  for (int mode = 0; mode < 5; ++mode) {
    SCOPED_TRACE(mode);
    sceneState.mouseMode = mode;
    // Whatever was pending is drawn first, so the redraw counted is the drag's.
    ASSERT_TRUE(pumpUntil([] {
      redraws = 0;
      glutMainLoopEvent();
      return redraws == 0;
    })) << "the test window kept redrawing by itself";
    onDrag(123 + mode, 0);
    EXPECT_EQ(sceneState.lastMouseX, 123 + mode);
    EXPECT_TRUE(pumpUntil([] { return redraws > 0; })) << "no redraw within 3 s of the drag";
  }
}

// Each row of the panel the viewer builds: its label, and a completed click on
// it flipping that flag and no other (which also needs its box ticked as the
// flag starts).
TEST(InputTest, EachPanelRowIsLabelledAndDrivesItsOwnFlag) {
  // A click on the middle of each box.
  const struct {
    const char *label;
    int SceneState::*flag;
    const char *click;
  } rows[] = {
      {"Rotation along x axis", &SceneState::spinX, "d13,13 u13,13"},
      {"Rotation along y axis", &SceneState::spinY, "d13,29 u13,29"},
      {"Rotation along z axis", &SceneState::spinZ, "d13,45 u13,45"},
      {"Show Gridlines", &SceneState::showGrid, "d13,61 u13,61"},
      {"Orthogonal View", &SceneState::orthoView, "d13,77 u13,77"},
      {"Wireframe View", &SceneState::wireframe, "d13,93 u13,93"},
  };
  sceneState.mainWindow = testWindow();
  buildControlPanel();
  GLUI *glui = GLUI_Testing::newest();
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(rows[i].label);
    EXPECT_EQ(GLUI_Testing::label(glui, i), rows[i].label);
    SceneState expected = sceneState;
    expected.*rows[i].flag = 1 - expected.*rows[i].flag;
    GLUI_Testing::send(glui, rows[i].click);
    EXPECT_TRUE(sameState(sceneState, expected));
  }
}

}  // namespace
