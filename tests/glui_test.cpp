// The control panel layer, with the viewer's six checkboxes: what it shows,
// what clicks and keys do, its window and its idle handler, in the numbers
// GLUI itself shows.

#include <cstdlib>

#include "gl_test_support.h"
#include "gl_window.h"
#include "glui_pictures.h"
#include "glui_testing.h"
// After gtest, whose names X11's macros (None, Bool) would replace.
#include <GL/glx.h>
#include <X11/Xutil.h>

namespace {

using T = GLUI_Testing;
using Ints = std::vector<int>;

int mainDisplays = 0;

class GluiTest : public ::testing::Test {
 protected:
  // The viewer's panel, bound to redraw the test window after a click; by
  // default clear of it, so that nothing else redraws it.
  GLUI *open(bool bound = true, int x = 700, int y = 60) {
    const char *const labels[] = {"Rotation along x axis", "Rotation along y axis", "Rotation along z axis",
                                  "Show Gridlines",        "Orthogonal View",       "Wireframe View"};
    glutDisplayFunc([] { ++mainDisplays; });
    GLUI *glui = GLUI_Master.create_glui("GLUI", 0, x, y);
    for (int i = 0; i < 6; ++i) glui->add_checkbox(labels[i], &flags[i]);
    if (bound) glui->set_main_gfx_window(testWindow());
    return glui;
  }
  static bool paintsAt(GLUI *glui, const Ints &size) {
    // Set from a reshape event, or from the window system after a swap.
    return pumpUntil([&] { return T::paintedSize(glui) == size; });
  }
  // Whether the panel paints within `ms`: it marks its back buffer red first.
  static bool repaintsWithin(GLUI *glui, int ms) {
    glutSetWindow(T::window(glui));
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    return pumpUntil([&] { return corner(glui)[1] != 0; }, ms);
  }
  static std::vector<unsigned char> corner(GLUI *glui) {
    glutSetWindow(T::window(glui));
    return readPixels(1, 1);
  }
  int flags[6] = {0, 0, 0, 1, 1, 0};
};

TEST_F(GluiTest, DrawsEachStateAsGluiDoesRepaintingOnlyOnAChange) {
  // After each step, whatever caused it (the mouse, a key, the window shown
  // again), a repaint and GLUI's picture.
  GLUI *glui = open();
  ASSERT_TRUE(paintsAt(glui, {159, 105}));
  pumpUntil([] { return false; }, 200);  // the last paints of a new window
  glutPostWindowRedisplay(T::window(glui));
  for (const GluiPicture &s : kGluiPictures) {
    SCOPED_TRACE(s.name);
    T::send(glui, s.events);
    // What the panel paints stays in its back buffer after the swap.
    ASSERT_TRUE(repaintsWithin(glui, 3000)) << "no repaint";
    const std::vector<unsigned char> frame = readPixels(159, 105);
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < frame.size(); i += 3) hash = (hash ^ frame[i]) * 16777619u;
    EXPECT_EQ(hash, s.hash) << std::hex << "hash 0x" << hash;
    EXPECT_FALSE(repaintsWithin(glui, 100)) << "repaints with nothing changed";
  }
}

TEST_F(GluiTest, ClicksAndKeysMoveTheFocusAndAClickFlipsItsFlagAndRedrawsTheMainWindow) {
  // Row 1 takes clicks from (6, 6) to (146, 19), edges included: a left press
  // there, then a release there. The focus goes where the left button went
  // down. Tab and Shift-Tab pass through none, not while the button is held;
  // Space clicks the focused row. Row 1's flag starts at 7: it reads as on,
  // and shows any write.
  const Ints start = {7, 0, 0, 1, 1, 0};
  const struct {
    const char *name, *events, *focus;
    Ints flags;
    bool bound = true;
  } cases[] = {
      {"box, then label twice", "d13,13 u13,13 d60,12 u60,12 d60,12 u60,12", "111111", {0, 0, 0, 1, 1, 0}},
      {"corner to corner, then out and back",
       "d6,6 m146,19 u146,19 d13,13 m152,2 u60,12",
       "111111",
       {1, 0, 0, 1, 1, 0}},
      {"pressed between rows, past the right end", "d12,20 u12,20 d147,12 u13,13", "----", start},
      {"released past the right end, between rows, on row 2, off the panel",
       "d13,13 u147,12 d13,13 u12,21 d13,13 u13,29 d13,13 u-5,300", "11111111", start},
      {"right and middle buttons", "d13,13,2 u13,13,2 d13,13,1 u13,13,1", "----", start},
      {"Tab, then Shift-Tab", "T T T T T T T T S S S", "123456-1-65", start},
      {"Space", "_ T _ S _ S _", "-11--66", {0, 0, 0, 1, 1, 1}},
      {"a press on nothing", "T d3,3 T u3,3 T", "1---1", start},
      {"other keys", "T ka k\x1b kg k\x7f", "11111", start},
      {"not bound to a main window", "d13,13 u13,13", "11", {0, 0, 0, 1, 1, 0}, false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    std::copy(start.begin(), start.end(), flags);
    GLUI *glui = open(c.bound);
    mainDisplays = 0;
    EXPECT_EQ(T::send(glui, c.events), c.focus);
    EXPECT_EQ(Ints(flags, flags + 6), c.flags);
    pumpUntil([] { return false; }, 100);
    EXPECT_EQ(mainDisplays > 0, c.bound && c.flags != start) << "main window redrawn";
    T::closeAll();
  }
}

TEST_F(GluiTest, OpensWhereGluiDoesFixedAt159By105WithAnArrowAndSnapsBack) {
  auto initialSettings = [] {
    return Ints{glutGet(GLUT_INIT_WINDOW_X), glutGet(GLUT_INIT_WINDOW_Y), glutGet(GLUT_INIT_WINDOW_WIDTH),
                glutGet(GLUT_INIT_WINDOW_HEIGHT), glutGet(GLUT_INIT_DISPLAY_MODE)};
  };
  const Ints before = initialSettings();
  for (const Ints &at : {Ints{-1, -1, 40, 40}, Ints{730, 210, 730, 210}}) {
    SCOPED_TRACE(at[0]);
    glutSetWindow(testWindow());
    GLUI *glui = open(true, at[0], at[1]);
    EXPECT_EQ(glutGetWindow(), testWindow());
    EXPECT_EQ(initialSettings(), before);
    ASSERT_TRUE(paintsAt(glui, {159, 105}));
    // Without a window manager the position is reported a little late.
    EXPECT_TRUE(pumpUntil([&] {
      glutSetWindow(T::window(glui));
      return Ints{glutGet(GLUT_WINDOW_X), glutGet(GLUT_WINDOW_Y)} == Ints{at[2], at[3]};
    }));
    EXPECT_EQ(glutGet(GLUT_WINDOW_CURSOR), GLUT_CURSOR_LEFT_ARROW);
    XSizeHints h{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(glXGetCurrentDisplay(), glXGetCurrentDrawable(), &h, &supplied));
    const long fixedSize = USSize | PMinSize | PMaxSize;
    EXPECT_EQ(std::vector<long>({h.flags & fixedSize, h.width, h.height, h.min_width, h.min_height,
                                 h.max_width, h.max_height}),
              std::vector<long>({fixedSize, 159, 105, 159, 105, 159, 105}));
    // Resized from outside, in one dimension or both, it paints at the new
    // size, then puts itself back.
    for (const Ints &size : {Ints{199, 135}, Ints{199, 105}, Ints{159, 135}}) {
      SCOPED_TRACE(::testing::Message() << "resized to " << size[0] << " x " << size[1]);
      glutReshapeWindow(size[0], size[1]);
      EXPECT_TRUE(pumpUntil([&] { return T::paintedSize(glui) == size; }));
      EXPECT_TRUE(paintsAt(glui, {159, 105}));
    }
    T::closeAll();
  }
}

TEST(GluiIdle, InstalledHandlerCallsTheLatestFunctionAndNullRemovesIt) {
  // glutMainLoop does not return while windows are open, so each case runs in
  // a child process that ends from a callback with a telling code.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto run = [](void (*first)(), void (*second)(), int timeoutMs) {
    GLUI_Master.create_glui("GLUI")->add_checkbox("Idle");
    GLUI_Master.set_glutIdleFunc(first);
    GLUI_Master.set_glutIdleFunc(second);
    glutTimerFunc(
        timeoutMs, [](int) { std::_Exit(0); }, 0);
    glutMainLoop();
  };
  // The second function replaces the first.
  EXPECT_EXIT(run([] { std::_Exit(42); }, [] { std::_Exit(43); }, 5000), ::testing::ExitedWithCode(43), "");
  EXPECT_EXIT(run([] { std::_Exit(42); }, NULL, 300), ::testing::ExitedWithCode(0), "");
}

}  // namespace
