// A panel's controls, their layout and its window; GLUI's public methods.

#include <GL/glui.h>

#include <algorithm>

#include "glui_draw.h"
#include "glui_panel_events.h"
#include "glui_x11.h"

namespace glui_internal {

Panel::Panel(int windowId) : windowId_(windowId) {
  const int previous = glutGetWindow();
  glutSetWindow(windowId_);
  hintedWidth_ = fittedWidth();
  hintedHeight_ = fittedHeight();
  mapAgainWithFixedSize(hintedWidth_, hintedHeight_);
  if (previous != 0) glutSetWindow(previous);
}

Panel::~Panel() = default;

GLUI_Checkbox *Panel::addCheckbox(const GLUI_String &name, int *liveVar, int id, GLUI_CB callback) {
  controls_.emplace_back(new GLUI_Checkbox(*this, name, liveVar, id, callback));
  fitWindow();
  postRepaint();
  return controls_.back().get();
}

Rect Panel::controlRect(int index) const {
  return {kMargin, kMargin + index * (kControlHeight + kSpacing),
          kLabelOffset + controls_[index]->labelWidth() + kLabelTrail, kControlHeight};
}

Rect Panel::clickArea(int index) const {
  const Rect control = controlRect(index);
  return {control.x, control.y, control.w + 1, control.h + 1};
}

Rect Panel::boxRect(int index) const {
  const Rect control = controlRect(index);
  return {control.x + kBoxInset, control.y + kBoxInset, kBoxSize, kBoxSize};
}

Rect Panel::labelRect(int index) const {
  const Rect control = controlRect(index);
  return {control.x + kLabelOffset, control.y, controls_[index]->labelWidth(), kControlHeight};
}

Rect Panel::focusRect(int index) const {
  // From three pixels before the label to five past its last column, and
  // from the control's top to the row below its box.
  const Rect label = labelRect(index);
  return {label.x - 3, label.y, 3 + label.w + 5, kBoxInset + kBoxSize + 1};
}

int Panel::fittedWidth() const {
  int widest = 0;
  for (int i = 0; i < controlCount(); ++i) {
    widest = std::max(widest, controlRect(i).w);
  }
  return controlCount() == 0 ? 2 * kMargin : kMargin + widest + kRightMargin;
}

int Panel::fittedHeight() const {
  const int n = controlCount();
  if (n == 0) return 2 * kMargin;
  return 2 * kMargin + n * kControlHeight + (n - 1) * kSpacing;
}

int Panel::hitTest(int x, int y) const {
  for (int i = 0; i < controlCount(); ++i) {
    if (clickArea(i).contains(x, y)) return i;
  }
  return -1;
}

void Panel::fitWindow() {
  const int previous = glutGetWindow();
  glutSetWindow(windowId_);
  glutReshapeWindow(fittedWidth(), fittedHeight());
  if (hintedWidth_ != fittedWidth() || hintedHeight_ != fittedHeight()) {
    hintedWidth_ = fittedWidth();
    hintedHeight_ = fittedHeight();
    setFixedSizeHints(hintedWidth_, hintedHeight_);
  }
  if (previous != 0) glutSetWindow(previous);
}

void Panel::syncLive() {
  for (auto &control : controls_) control->syncFromLive();
  postRepaint();
}

void Panel::postRepaint() const { glutPostWindowRedisplay(windowId_); }

void Panel::postMainRedisplay() const {
  if (mainGfxWindow_ > 0) glutPostWindowRedisplay(mainGfxWindow_);
}

void Panel::render() {
  beginPixelDrawing(width_, height_);
  for (int i = 0; i < controlCount(); ++i) {
    controls_[i]->draw(boxRect(i), labelRect(i), shownOn(i));
    if (i == focus_) {
      const Rect mark = focusRect(i);
      drawDottedRect(mark.x, mark.y, mark.w, mark.h);
    }
  }
}

}  // namespace glui_internal

using glui_internal::Panel;

GLUI::GLUI(int windowId) : panel_(new Panel(windowId)) {}

GLUI::~GLUI() = default;

GLUI_Checkbox *GLUI::add_checkbox(const GLUI_String &name, int *live_var, int id, GLUI_CB callback) {
  return panel_->addCheckbox(name, live_var, id, callback);
}

void GLUI::set_main_gfx_window(int window_id) { panel_->setMainGfxWindow(window_id); }

void GLUI::sync_live() { panel_->syncLive(); }

int GLUI::get_glut_window_id() { return panel_->windowId(); }
