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

TEST_F(GluiTest, PaintsGreyBackgroundSunkenBoxesTicksLabelsAndFocus) {
  int on = 1, off = 0;
  GLUI *glui = makePanel({"Ticked", "Clear"}, {&on, &off});
  Panel &p = panelOf(glui);
  ASSERT_TRUE(waitForFittedSize(glui));
  p.handleKey('\t', false);  // focus the first control
  glutSetWindow(glui->get_glut_window_id());
  p.render();
  const std::vector<unsigned char> px = readFrame(p.width(), p.height());
  auto grey = [&](int x, int y) {  // -1 unless the pixel is a pure grey
    const unsigned char *c = &px[static_cast<size_t>(((p.height() - 1 - y) * p.width() + x) * 3)];
    return c[0] == c[1] && c[1] == c[2] ? c[0] : -1;
  };
  auto dark = [&](Rect r) {
    int n = 0;
    for (int y = r.y; y < r.y + r.h; ++y)
      for (int x = r.x; x < r.x + r.w; ++x) n += grey(x, y) >= 0 && grey(x, y) < 96;
    return n;
  };
  const Rect onBox = p.boxRect(0), offBox = p.boxRect(1);
  struct Probe {
    int x, y, level;
  } const probes[] = {
      {1, 1, 192},
      {p.width() - 2, onBox.y + 6, 192},
      {onBox.x + 6, onBox.y + 14, 192},
      {3, p.height() - 1, 192},
      {offBox.x, offBox.y, 128},
      {offBox.x + 1, offBox.y + 1, 64},
      {offBox.x + 12, offBox.y + 12, 255},
      {offBox.x + 12, offBox.y + 4, 255},
      {offBox.x + 11, offBox.y + 11, 224},
      {offBox.x + 6, offBox.y + 6, 255},
      {onBox.x + 2, onBox.y + 2, 255},
  };
  for (const Probe &pr : probes) EXPECT_EQ(grey(pr.x, pr.y), pr.level) << pr.x << "," << pr.y;
  EXPECT_EQ(dark({offBox.x + 2, offBox.y + 2, 9, 9}), 0) << "tick in the clear box";
  EXPECT_EQ(dark({onBox.x + 2, onBox.y + 2, 9, 9}), 21) << "the 7 x 7 tick has 21 pixels";
  EXPECT_GT(dark(p.labelRect(0)), 20);
  EXPECT_GT(dark(p.labelRect(1)), 20);
  // Dotted frame: every other pixel of the row above the focused label.
  const Rect l0 = p.labelRect(0), l1 = p.labelRect(1);
  EXPECT_EQ(dark({l0.x - 2, l0.y - 1, l0.w + 4, 1}), (l0.w + 5) / 2);
  EXPECT_EQ(dark({l1.x - 2, l1.y - 1, l1.w + 4, 1}), 0);
}

}  // namespace
