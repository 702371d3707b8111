// GLUI_Checkbox: its state, its live variable and how it looks.

#include <GL/glui.h>

#include "glui_draw.h"
#include "glui_panel_events.h"

using namespace glui_internal;

GLUI_Checkbox::GLUI_Checkbox(Panel &panel, const GLUI_String &name, int *live_var, int id, GLUI_CB callback)
    : panel_(panel),
      name_(name),
      liveVar_(live_var),
      id_(id),
      callback_(callback),
      // Adopting the variable's value must not write it back: the program
      // may hold any non-zero value there to mean "on".
      state_(live_var != NULL && *live_var != 0 ? 1 : 0),
      labelWidth_(textWidth(name)) {}

GLUI_Checkbox::~GLUI_Checkbox() = default;

void GLUI_Checkbox::set_int_val(int new_val) {
  state_ = new_val != 0 ? 1 : 0;
  writeLive();
  panel_.postRepaint();
}

void GLUI_Checkbox::toggle() {
  state_ = 1 - state_;
  writeLive();
  if (callback_) callback_(id_);
  panel_.postMainRedisplay();
  panel_.postRepaint();
}

void GLUI_Checkbox::syncFromLive() {
  if (liveVar_ != NULL) state_ = *liveVar_ != 0 ? 1 : 0;
}

void GLUI_Checkbox::writeLive() const {
  if (liveVar_ != NULL) *liveVar_ = state_;
}

void GLUI_Checkbox::draw(const Rect &box, const Rect &label, bool shownOn) const {
  drawSunkenBox(box.x, box.y, box.w);
  if (shownOn) drawCheckMark(box.x, box.y);
  // Cap height is 9 pixels: a baseline 11 rows below the control's top puts
  // capitals one row below the box's top and leaves descenders inside the
  // row spacing.
  drawText(label.x, label.y + 11, name_);
}
