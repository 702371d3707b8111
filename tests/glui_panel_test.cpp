// Panel-wide behaviour: focus keys, resynchronising, redraw requests and
// the panel window itself.

#include <cstdlib>

#include "glui_test_support.h"
// After gtest, whose names X11's macros (None, Bool) would replace.
#include <GL/glx.h>
#include <X11/Xutil.h>

namespace {

TEST_F(GluiTest, TabShiftTabAndSpaceWorkOnTheFocus) {
  // Keys: T Tab, t Shift-Tab, space, S Shift-space, D and U the left button
  // going down and up on no control, anything else as itself. After each,
  // the focus: a control's index or - for none.
  struct Case {
    const char *name, *keys, *focus;
    std::vector<int> vars;
  } const cases[] = {
      {"tab passes through none", "TTTTT", "012-0", {0, 0, 0}},
      {"shift-tab passes through none", "ttttt", "210-2", {0, 0, 0}},
      {"space needs focus", " T S ", "-0000", {1, 0, 0}},
      {"space follows tab", "t T ", "22--", {0, 0, 1}},
      {"a press on no control clears the focus, tab waits for the release", "TD TtUT", "0-----0", {0, 0, 0}},
      {"other keys ignored", "Ta\r\x1b", "0000", {0, 0, 0}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    int v[3] = {0, 0, 0};
    GLUI *glui = makePanel({});
    for (int i = 0; i < 3; ++i) glui->add_checkbox("Box", &v[i]);
    Panel &p = panelOf(glui);
    for (int k = 0; c.keys[k] != '\0'; ++k) {
      const char key = c.keys[k];
      if (key == 'D' || key == 'U') {
        p.handleMouse(GLUT_LEFT_BUTTON, key == 'D' ? GLUT_DOWN : GLUT_UP, 3, 3);
      } else {
        p.handleKey(key == 'T' || key == 't' ? '\t' : key == 'S' ? ' ' : key, key == 't' || key == 'S');
      }
      EXPECT_EQ(p.focus(), c.focus[k] == '-' ? -1 : c.focus[k] - '0') << "after key " << k;
    }
    EXPECT_EQ(std::vector<int>(v, v + 3), c.vars);
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
  const Point unbound = centreOf(panelOf(first).boxRect(2));
  click(panelOf(first), unbound, unbound);
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

TEST_F(GluiTest, OpensWhereAskedLeavingTheCurrentWindowAndGlutsInitialSettingsAlone) {
  const GLenum initial[] = {GLUT_INIT_WINDOW_X, GLUT_INIT_WINDOW_Y, GLUT_INIT_WINDOW_WIDTH,
                            GLUT_INIT_WINDOW_HEIGHT, GLUT_INIT_DISPLAY_MODE};
  std::vector<int> before;
  for (GLenum what : initial) before.push_back(glutGet(what));
  struct Case {
    int current, x, y, expectX, expectY;
  } const cases[] = {{testWindow(), -1, -1, before[0], before[1]},
                     {makePanel({})->get_glut_window_id(), 730, 210, 730, 210}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.x);
    glutSetWindow(c.current);
    GLUI *glui = makePanel({}, {}, c.x, c.y);
    EXPECT_EQ(glutGetWindow(), c.current);
    glui->add_checkbox("Position");
    EXPECT_EQ(glutGetWindow(), c.current);
    // Without a window manager the position is reported a little late.
    EXPECT_TRUE(pumpUntil([&] {
      return std::abs(windowGet(glui->get_glut_window_id(), GLUT_WINDOW_X) - c.expectX) <= 16 &&
             std::abs(windowGet(glui->get_glut_window_id(), GLUT_WINDOW_Y) - c.expectY) <= 16;
    }));
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(glutGet(initial[i]), before[i]);
  }
}

TEST_F(GluiTest, WindowFitsItsControlsKeepsThatSizeAndTellsTheWindowManager) {
  const std::vector<std::string> labelSets[] = {
      {"x"},
      {"Rotation along x axis", "Rotation along y axis", "Rotation along z axis", "Show Gridlines",
       "Orthogonal View", "Wireframe View"},
      {"Short", "A much longer label than the others, to set the width", "Mid"},
  };
  for (const auto &labels : labelSets) {
    GLUI *glui = makePanel(labels);
    Panel &p = panelOf(glui);
    const int w = glui->get_glut_window_id();
    ASSERT_TRUE(waitForFittedSize(glui));
    const int n = static_cast<int>(labels.size());
    int widest = 0;
    for (int i = 0; i < n; ++i) {
      const int len = glutBitmapLength(GLUT_BITMAP_HELVETICA_12,
                                       reinterpret_cast<const unsigned char *>(labels[i].c_str()));
      widest = std::max(widest, len);
      EXPECT_EQ(p.labelRect(i).w, len);
    }
    // 18 right of the widest label (from x = 24), 5 below the last box.
    EXPECT_EQ(p.width(), 24 + widest + 18);
    EXPECT_EQ(p.height(), 7 + 16 * n - 3 + 5);

    glutSetWindow(w);
    EXPECT_EQ(glutGet(GLUT_WINDOW_CURSOR), GLUT_CURSOR_LEFT_ARROW);
    XSizeHints h{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(glXGetCurrentDisplay(), glXGetCurrentDrawable(), &h, &supplied));
    EXPECT_EQ(h.flags & (USSize | PMinSize | PMaxSize), USSize | PMinSize | PMaxSize);
    EXPECT_EQ(std::vector<int>({h.width, h.height, h.min_width, h.min_height, h.max_width, h.max_height}),
              std::vector<int>({p.width(), p.height(), p.width(), p.height(), p.width(), p.height()}));

    // Resized from outside, it paints at the new size and then puts itself back.
    const int fittedWidth = p.width();
    glutReshapeWindow(fittedWidth + 40, p.height() + 30);
    bool resized = false;
    EXPECT_TRUE(pumpUntil([&] {
      resized = resized || p.width() == fittedWidth + 40;
      return resized && windowGet(w, GLUT_WINDOW_WIDTH) == fittedWidth && p.width() == fittedWidth;
    }));
  }
}

}  // namespace
