// What a panel looks like: its pixel projection and painted pixels.

#include "glui/glui_draw.h"

#include "glui_test_support.h"

namespace {

TEST(GluiProjection, MatchesGlOrthoForTopLeftPixelSpace) {
  for (auto s : {std::pair{1, 1}, {600, 600}, {213, 109}, {1280, 7}, {0, 0}}) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, std::max(s.first, 1), std::max(s.second, 1), 0, -1, 1);
    Matrix actual{};
    glui_internal::pixelProjection(actual.data(), s.first, s.second);
    EXPECT_TRUE(matricesNear(actual, readMatrix(GL_PROJECTION_MATRIX), 1e-6f)) << s.first;
  }
  resetMatrices();
}

// GLUI's tick, drawn at the box's corner + (3, 3).
const char *const kTick[7] = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};

// The grey GLUI paints at (x, y) in a row, y counted from the row's top
// (6 + 16 i), or -1 where the label may have ink: from x = 25, from the
// capitals' top at y = 2 down to the descenders.
int expectedGrey(int x, int y, int tw, bool ticked, bool focused) {
  const int bx = x - 7, by = y - 1;  // from the box's corner
  if (bx >= 0 && bx < 13 && by >= 0 && by < 13) {
    if (bx == 12 || by == 12) return 255;
    if (bx == 0 || by == 0) return 128;
    if (bx == 11 || by == 11) return 192;
    if (bx == 1 || by == 1) return 0;
    return ticked && bx >= 3 && bx < 10 && by >= 3 && by < 10 && kTick[by - 3][bx - 3] == '#' ? 0 : 255;
  }
  const int right = 28 + tw;
  if (focused && x >= 21 && x <= right && y >= 0 && y <= 14 && (x == 21 || x == right || y == 0 || y == 14)) {
    return (x + y) % 2 == 1 ? 0 : 192;  // every other pixel of the outline
  }
  return x >= 25 && x < 24 + tw && y >= 2 && y <= 13 ? -1 : 192;
}

TEST_F(GluiTest, PaintsGluisBoxesTicksLabelsAndFocusMarkPixelForPixel) {
  // The viewer's panel, which opens with rows 3 and 4 ticked.
  int vars[6] = {0, 0, 0, 1, 1, 0};
  GLUI *glui = makePanel({"Rotation along x axis", "Rotation along y axis", "Rotation along z axis",
                          "Show Gridlines", "Orthogonal View", "Wireframe View"},
                         {&vars[0], &vars[1], &vars[2], &vars[3], &vars[4], &vars[5]});
  Panel &p = panelOf(glui);
  ASSERT_TRUE(waitForFittedSize(glui));
  ASSERT_EQ(std::vector<int>({p.width(), p.height()}), std::vector<int>({159, 105}));
  // Each step: a left press or release at a point, then what the panel shows.
  struct Step {
    const char *name;
    int state;
    Point at;
    std::vector<bool> ticked;
    int focus;
  } const steps[] = {
      {"held on row 0's box", GLUT_DOWN, centreOf(p.boxRect(0)), {1, 0, 0, 1, 1, 0}, 0},
      {"released outside", GLUT_UP, {12, 20}, {0, 0, 0, 1, 1, 0}, 0},
      {"clicked row 5", GLUT_DOWN, {12, 92}, {0, 0, 0, 1, 1, 1}, 5},
      {"", GLUT_UP, {12, 92}, {0, 0, 0, 1, 1, 1}, 5},
      {"pressed between rows", GLUT_DOWN, {12, 20}, {0, 0, 0, 1, 1, 1}, -1},
  };
  glutSetWindow(glui->get_glut_window_id());
  for (const Step &s : steps) {
    SCOPED_TRACE(s.name);
    p.handleMouse(GLUT_LEFT_BUTTON, s.state, s.at.x, s.at.y);
    p.render();
    const std::vector<unsigned char> px = readFrame(159, 105);
    int wrong = 0, inkOnLeftColumn = 0, inkOnTopRow[6] = {};
    for (int y = 0; y < 105; ++y) {
      const int i = std::min((y - 6) / 16, 5), rowY = y - 6 - 16 * i;
      for (int x = 0; x < 159; ++x) {
        const unsigned char *c = &px[static_cast<size_t>(((104 - y) * 159 + x) * 3)];
        const int want = expectedGrey(x, rowY, p.labelRect(i).w, s.ticked[i], i == s.focus);
        // Label text is GLUI's near-black ink on the panel grey.
        const bool ok = c[0] == c[1] && c[1] == c[2] && (want >= 0 ? c[0] == want : c[0] == 1 || c[0] == 192);
        if (!ok && ++wrong <= 5) ADD_FAILURE() << x << "," << y << " is " << int(c[0]) << ", not " << want;
        const bool inked = want < 0 && c[0] == 1;
        inkOnLeftColumn += inked && x == 25;
        inkOnTopRow[i] += inked && rowY == 2;
      }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(inkOnLeftColumn, 0);
    for (int n : inkOnTopRow) EXPECT_GT(n, 0) << "a label's capitals start a row below its box";
  }
}

}  // namespace
