// A checkbox's state, live variable and callback under synthetic mouse
// events.

#include "glui_test_support.h"

namespace {

std::vector<int> calls;
void record(int id) { calls.push_back(id); }

enum Where { kBox, kLabel, kLabelEnd, kOther, kGap, kOutside };

Point at(Panel &p, Where where) {
  const Rect box = p.boxRect(0), label = p.labelRect(0);
  switch (where) {
    case kBox: return centreOf(box);
    case kLabel: return centreOf(label);
    case kLabelEnd: return {label.x + label.w - 1, label.y + label.h - 1};
    case kOther: return centreOf(p.boxRect(1));
    case kGap: return {box.x + 3, box.y + box.h + 1};  // between the rows
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
  struct Case {
    const char *name;
    int button;
    Where press, release;
    bool completes;
  } const cases[] = {
      {"box", GLUT_LEFT_BUTTON, kBox, kBox, true},
      {"label", GLUT_LEFT_BUTTON, kLabel, kLabel, true},
      {"label's last pixel", GLUT_LEFT_BUTTON, kLabelEnd, kLabelEnd, true},
      {"box to label", GLUT_LEFT_BUTTON, kBox, kLabel, true},
      {"released outside", GLUT_LEFT_BUTTON, kBox, kOutside, false},
      {"released on another", GLUT_LEFT_BUTTON, kBox, kOther, false},
      {"pressed between rows", GLUT_LEFT_BUTTON, kGap, kBox, false},
      {"right button", GLUT_RIGHT_BUTTON, kBox, kBox, false},
      {"middle button", GLUT_MIDDLE_BUTTON, kBox, kBox, false},
  };
  Panel &p = panelOf(glui_);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    first_->set_int_val(1);
    firstVar_ = 7;
    calls.clear();
    click(p, at(p, c.press), at(p, c.release), c.button);
    EXPECT_EQ(first_->get_int_val(), c.completes ? 0 : 1);
    EXPECT_EQ(firstVar_, c.completes ? 0 : 7);
    EXPECT_EQ(calls, c.completes ? std::vector<int>{11} : std::vector<int>{});
    EXPECT_EQ(secondVar_, 0);
  }
  for (int written : {0, 1}) {  // repeated clicks alternate
    click(p, at(p, kBox), at(p, kBox));
    EXPECT_EQ(firstVar_, written);
  }
}

TEST_F(GluiCheckbox, HeldButtonShowsTheFlipOnlyWhileOverTheControl) {
  struct Step {
    int state;  // GLUT_DOWN, GLUT_UP, or -1 for motion
    Where where;
    bool shownOn, focused;
  } const steps[] = {
      {-1, kBox, false, false},  {GLUT_DOWN, kBox, true, true},   {-1, kOutside, false, true},
      {-1, kOther, false, true}, {-1, kLabel, true, true},        {GLUT_UP, kOutside, false, true},
      {-1, kBox, false, true},   {GLUT_DOWN, kLabel, true, true}, {-1, kGap, false, true},
      {-1, kBox, true, true},
  };
  Panel &p = panelOf(glui_);
  first_->set_int_val(0);
  for (size_t i = 0; i < sizeof steps / sizeof steps[0]; ++i) {
    const Step &s = steps[i];
    const Point pt = at(p, s.where);
    s.state < 0 ? p.handleMotion(pt.x, pt.y) : p.handleMouse(GLUT_LEFT_BUTTON, s.state, pt.x, pt.y);
    EXPECT_EQ(p.shownOn(0), s.shownOn) << "step " << i;
    EXPECT_EQ(p.focus(), s.focused ? 0 : -1) << "step " << i;
    EXPECT_FALSE(p.shownOn(1));
  }
  EXPECT_EQ(firstVar_, 0) << "written before any release over the box";
  p.handleMouse(GLUT_LEFT_BUTTON, GLUT_UP, at(p, kBox).x, at(p, kBox).y);
  EXPECT_EQ(firstVar_, 1);
  EXPECT_EQ(calls, std::vector<int>{11});
}

TEST_F(GluiCheckbox, StartsFromItsVariableWithoutWritingIt) {
  for (int value : {0, 1, 7, -3}) {
    int var = value;
    GLUI_Checkbox *box = glui_->add_checkbox("Bound", &var);
    pumpFor(10);
    EXPECT_EQ(box->get_int_val(), value != 0 ? 1 : 0) << value;
    EXPECT_EQ(var, value);
  }
  // Unbound: starts off and toggles on a click, writing nowhere.
  GLUI_Checkbox *unbound = glui_->add_checkbox("Unbound");
  Panel &p = panelOf(glui_);
  const Point box = centreOf(p.boxRect(p.controlCount() - 1));
  EXPECT_EQ(unbound->get_int_val(), 0);
  click(p, box, box);
  EXPECT_EQ(unbound->get_int_val(), 1);
}

}  // namespace
