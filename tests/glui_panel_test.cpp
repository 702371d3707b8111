// Panel-wide behaviour: focus keys, resynchronising, redraw requests and
// the panel window itself.

#include <cstdlib>

#include "glui_test_support.h"

namespace {

std::vector<int> calls;
void record(int id) { calls.push_back(id); }

TEST_F(GluiTest, TabShiftTabAndSpaceWorkOnTheFocus) {
  // Each step: a key with or without shift, then the expected focus and
  // the three variables.
  struct Step {
    unsigned char key;
    bool shift;
    int focus, a, b, c;
  };
  struct Case {
    const char *name;
    std::vector<Step> steps;
  } const cases[] = {
      {"tab wraps",
       {{'\t', 0, 0, 0, 0, 0}, {'\t', 0, 1, 0, 0, 0}, {'\t', 0, 2, 0, 0, 0}, {'\t', 0, 0, 0, 0, 0}}},
      {"shift-tab wraps",
       {{'\t', 1, 2, 0, 0, 0}, {'\t', 1, 1, 0, 0, 0}, {'\t', 1, 0, 0, 0, 0}, {'\t', 1, 2, 0, 0, 0}}},
      {"space needs focus",
       {{' ', 0, -1, 0, 0, 0}, {'\t', 0, 0, 0, 0, 0}, {' ', 0, 0, 1, 0, 0}, {' ', 1, 0, 0, 0, 0}}},
      {"space follows tab",
       {{'\t', 1, 2, 0, 0, 0}, {' ', 0, 2, 0, 0, 1}, {'\t', 0, 0, 0, 0, 1}, {' ', 0, 0, 1, 0, 1}}},
      {"other keys ignored",
       {{'\t', 0, 0, 0, 0, 0}, {'a', 0, 0, 0, 0, 0}, {'\r', 1, 0, 0, 0, 0}, {27, 0, 0, 0, 0, 0}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    int v[3] = {0, 0, 0};
    calls.clear();
    GLUI *glui = makePanel({});
    for (int i = 0; i < 3; ++i) glui->add_checkbox("Box", &v[i], 100 + i, record);
    Panel &p = panelOf(glui);
    for (const Step &s : c.steps) {
      p.handleKey(s.key, s.shift);
      EXPECT_EQ(p.focus(), s.focus);
      EXPECT_EQ(std::vector<int>(v, v + 3), (std::vector<int>{s.a, s.b, s.c}));
    }
  }
  Panel &empty = panelOf(makePanel({}));
  for (unsigned char key : {'\t', ' '}) empty.handleKey(key, false);
  EXPECT_EQ(empty.focus(), -1);
}

TEST_F(GluiTest, SyncLiveCopiesVariablesIntoItsOwnPanelAndSyncAllIntoEvery) {
  int a[2] = {0, 1}, b[2] = {0, 1};
  GLUI *first = makePanel({"A0", "A1", "Unbound"}, {&a[0], &a[1]});
  GLUI *second = makePanel({"B0", "B1"}, {&b[0], &b[1]}, 700, 300);
  auto states = [](GLUI *glui) {
    std::vector<int> out;
    for (int i = 0; i < panelOf(glui).controlCount(); ++i) {
      out.push_back(panelOf(glui).control(i).get_int_val());
    }
    return out;
  };
  panelOf(first).control(2).set_int_val(1);
  a[0] = 5, a[1] = 0, b[0] = -2, b[1] = 0;
  EXPECT_EQ(states(first), (std::vector<int>{0, 1, 1})) << "copied before a sync";
  first->sync_live();
  EXPECT_EQ(states(first), (std::vector<int>{1, 0, 1}));
  EXPECT_EQ(states(second), (std::vector<int>{0, 1}));
  GLUI_Master.sync_live_all();
  EXPECT_EQ(states(second), (std::vector<int>{1, 0}));
  EXPECT_EQ(a[0] + b[0], 3) << "a sync wrote a variable";
}

int mainDisplays = 0;

TEST_F(GluiTest, CompletedClickRedrawsTheMainWindowAndChangesRepaintThePanel) {
  struct Case {
    bool setMain, releaseOver, redrawn;
  } const cases[] = {{true, true, true}, {true, false, false}, {false, true, false}};
  glutSetWindow(testWindow());
  glutDisplayFunc([] { ++mainDisplays; });
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.setMain << c.releaseOver);
    GLUI *glui = makePanel({"Redraw"});
    Panel &p = panelOf(glui);
    if (c.setMain) glui->set_main_gfx_window(testWindow());
    ASSERT_TRUE(waitForFittedSize(glui));
    pumpFor(100);
    mainDisplays = 0;
    const unsigned long painted = p.displayCount();
    const Point box = centreOf(p.boxRect(0));
    click(p, box, c.releaseOver ? box : Point{500, 500});
    EXPECT_TRUE(pumpUntil([&] { return p.displayCount() > painted; }));
    pumpFor(100);
    EXPECT_EQ(mainDisplays > 0, c.redrawn);
    const unsigned long settled = p.displayCount();
    pumpFor(100);
    EXPECT_EQ(p.displayCount(), settled) << "repaints with nothing changed";
  }
  glutSetWindow(testWindow());
  glutDisplayFunc([] {});
}

TEST_F(GluiTest, CreatingAndFillingAPanelKeepsTheCurrentWindow) {
  for (int current : {testWindow(), makePanel({})->get_glut_window_id()}) {
    glutSetWindow(current);
    GLUI *glui = makePanel({}, {}, 700, 300);
    EXPECT_EQ(glutGetWindow(), current);
    glui->add_checkbox("Added");
    EXPECT_EQ(glutGetWindow(), current);
  }
}

TEST_F(GluiTest, OpensWhereAskedOrAtGlutsInitialPositionLeavingThatAlone) {
  const GLenum initial[] = {GLUT_INIT_WINDOW_X, GLUT_INIT_WINDOW_Y, GLUT_INIT_WINDOW_WIDTH,
                            GLUT_INIT_WINDOW_HEIGHT, GLUT_INIT_DISPLAY_MODE};
  std::vector<int> before;
  for (GLenum what : initial) before.push_back(glutGet(what));
  struct Case {
    int x, y, expectX, expectY;
  } const cases[] = {{-1, -1, before[0], before[1]}, {730, 210, 730, 210}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.x);
    const int w = makePanel({"Position"}, {}, c.x, c.y)->get_glut_window_id();
    // Without a window manager the position is reported a little late.
    EXPECT_TRUE(pumpUntil([&] {
      return std::abs(windowGet(w, GLUT_WINDOW_X) - c.expectX) <= 16 &&
             std::abs(windowGet(w, GLUT_WINDOW_Y) - c.expectY) <= 16;
    }));
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(glutGet(initial[i]), before[i]);
  }
}

TEST_F(GluiTest, WindowFitsItsControls) {
  const std::vector<std::string> labelSets[] = {
      {"x"},
      {"Rotation along x axis", "Rotation along y axis", "Rotation along z axis", "Show Gridlines",
       "Orthogonal View", "Wireframe View"},
      {"Short", "A much longer label than the others, to set the width", "Mid"},
  };
  for (const auto &labels : labelSets) {
    GLUI *glui = makePanel(labels);
    Panel &p = panelOf(glui);
    ASSERT_TRUE(waitForFittedSize(glui));
    const int n = static_cast<int>(labels.size());
    int widest = 0;
    for (int i = 0; i < n; ++i) {
      const int len = glutBitmapLength(GLUT_BITMAP_HELVETICA_12,
                                       reinterpret_cast<const unsigned char *>(labels[i].c_str()));
      widest = std::max(widest, len);
      EXPECT_EQ(p.labelRect(i).x, 6 + 18);
      EXPECT_EQ(p.labelRect(i).w, len);
      EXPECT_EQ(p.boxRect(i).y, 6 + i * 16);
    }
    EXPECT_EQ(p.height(), 6 + n * 13 + (n - 1) * 3 + 6);
    EXPECT_GE(p.width(), 6 + 18 + widest + 6);
    EXPECT_LE(p.width(), 6 + 18 + widest + 6 + 4);  // room for the focus frame
  }
}

}  // namespace
