// A checkbox's state, live variable and callback under synthetic mouse
// events.

#include "glui_test_support.h"

namespace {

std::vector<int> calls;
void record(int id) { calls.push_back(id); }

// Where GLUI takes row 0's clicks: x from 6 to 6 + 18 + tw + 6 and y from 6
// to 19, both ends included.
enum Where { kBox, kLabel, kTopLeft, kRightEnd, kBottomEnd, kPastRight, kGap, kOther, kOutside };

Point at(Panel &p, Where where) {
  const int right = 6 + 18 + p.labelRect(0).w + 6;
  switch (where) {
    case kBox: return centreOf(p.boxRect(0));
    case kLabel: return centreOf(p.labelRect(0));
    case kTopLeft: return {6, 6};
    case kRightEnd: return {right, 12};
    case kBottomEnd: return {right, 19};
    case kPastRight: return {right + 1, 12};
    case kGap: return {12, 20};  // between the rows
    case kOther: return centreOf(p.boxRect(1));
    case kOutside: break;
  }
  return {p.fittedWidth() - 2, 2};
}

class GluiCheckbox : public GluiTest {
 protected:
  void SetUp() override {
    calls.clear();
    glui_ = makePanel({});
    first_ = glui_->add_checkbox("First option", &firstVar_, 11, record);
    glui_->add_checkbox("Second", &secondVar_, 22, record);
  }
  // 7 reads as "on" but is never written, so it shows any write at all.
  int firstVar_ = 7, secondVar_ = 0;
  GLUI *glui_ = nullptr;
  GLUI_Checkbox *first_ = nullptr;
};

TEST_F(GluiCheckbox, OnlyALeftPressAndReleaseOverTheControlCompletesAClick) {
  // A press, a move with the button held, a release. While held the
  // control shows its flipped state only over itself; the focus carries
  // over from case to case: a press on a control takes it, a press on no
  // control clears it, other buttons leave it alone.
  struct Case {
    const char *name;
    int button;
    Where press, move, release;
    bool flipShown, completes;
    int focus;
  } const cases[] = {
      {"box", GLUT_LEFT_BUTTON, kBox, kBox, kBox, true, true, 0},
      {"pressed between rows", GLUT_LEFT_BUTTON, kGap, kBox, kBox, false, false, -1},
      {"label", GLUT_LEFT_BUTTON, kLabel, kLabel, kLabel, true, true, 0},
      {"corner to corner", GLUT_LEFT_BUTTON, kTopLeft, kRightEnd, kBottomEnd, true, true, 0},
      {"right end", GLUT_LEFT_BUTTON, kRightEnd, kBottomEnd, kRightEnd, true, true, 0},
      {"out and back", GLUT_LEFT_BUTTON, kBox, kOutside, kLabel, false, true, 0},
      {"pressed past the right end", GLUT_LEFT_BUTTON, kPastRight, kBox, kBox, false, false, -1},
      {"released past the right end", GLUT_LEFT_BUTTON, kBox, kPastRight, kPastRight, false, false, 0},
      {"released between rows", GLUT_LEFT_BUTTON, kBox, kGap, kGap, false, false, 0},
      {"released outside", GLUT_LEFT_BUTTON, kBox, kOutside, kOutside, false, false, 0},
      {"released on another", GLUT_LEFT_BUTTON, kBox, kOther, kOther, false, false, 0},
      {"right button", GLUT_RIGHT_BUTTON, kBox, kBox, kBox, false, false, 0},
      {"middle button", GLUT_MIDDLE_BUTTON, kBox, kBox, kBox, false, false, 0},
  };
  Panel &p = panelOf(glui_);
  EXPECT_EQ(first_->get_int_val(), 1) << "7 reads as on";
  EXPECT_EQ(firstVar_, 7) << "written on creation";
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    first_->set_int_val(1);
    firstVar_ = 7;
    calls.clear();
    const Point press = at(p, c.press), move = at(p, c.move);
    p.handleMouse(c.button, GLUT_DOWN, press.x, press.y);
    p.handleMotion(move.x, move.y);
    EXPECT_EQ(p.shownOn(0), !c.flipShown);
    EXPECT_FALSE(p.shownOn(1));
    EXPECT_EQ(firstVar_, 7) << "written while held";
    p.handleMouse(c.button, GLUT_UP, at(p, c.release).x, at(p, c.release).y);
    EXPECT_EQ(first_->get_int_val(), c.completes ? 0 : 1);
    EXPECT_EQ(firstVar_, c.completes ? 0 : 7);
    EXPECT_EQ(calls, c.completes ? std::vector<int>{11} : std::vector<int>{});
    EXPECT_EQ(p.focus(), c.focus);
    EXPECT_EQ(secondVar_, 0);
  }
  for (int written : {0, 1}) {  // repeated clicks alternate
    click(p, at(p, kBox), at(p, kBox));
    EXPECT_EQ(firstVar_, written);
  }
}

}  // namespace
