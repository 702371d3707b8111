// What mouse and keyboard events do to a panel.

#include "glui_panel_events.h"

#include <GL/glui.h>

#include "glui_x11.h"

namespace glui_internal {

bool Panel::shownOn(int index) const {
  const bool on = controls_[index]->get_int_val() != 0;
  return (index == pressed_ && pressedInside_) ? !on : on;
}

void Panel::handleMouse(int button, int state, int x, int y) {
  if (button != GLUT_LEFT_BUTTON) return;
  if (state == GLUT_DOWN) {
    leftHeld_ = true;
    // A press on no control takes the focus away from every control.
    pressed_ = hitTest(x, y);
    pressedInside_ = pressed_ >= 0;
    focus_ = pressed_;
    postRepaint();
  } else if (state == GLUT_UP) {
    leftHeld_ = false;
    if (pressed_ < 0) return;
    const int index = pressed_;
    const bool over = clickArea(index).contains(x, y);
    pressed_ = -1;
    pressedInside_ = false;
    postRepaint();
    if (over) completeClick(index);
  }
}

void Panel::handleMotion(int x, int y) {
  if (pressed_ < 0) return;
  const bool inside = clickArea(pressed_).contains(x, y);
  if (inside != pressedInside_) {
    pressedInside_ = inside;
    postRepaint();
  }
}

void Panel::handleKey(unsigned char key, bool shiftHeld) {
  const int n = controlCount();
  if (key == '\t') {
    if (n == 0 || leftHeld_) return;
    // The focus cycles through every control and "none": n + 1 places,
    // numbered from "none" at 0.
    const int place = focus_ + 1;
    focus_ = (place + (shiftHeld ? n : 1)) % (n + 1) - 1;
    postRepaint();
  } else if (key == ' ') {
    if (focus_ >= 0) completeClick(focus_);
  }
}

void Panel::handleReshape(int width, int height) {
  width_ = width;
  height_ = height;
  checkingSize_ = true;
  postRepaint();
}

void Panel::handleShown() {
  checkingSize_ = true;
  postRepaint();
}

void Panel::handleDisplay() {
  // GLUI keeps its panels at their fitted size, whoever resized them.
  if (width_ != fittedWidth() || height_ != fittedHeight()) fitWindow();
  ++displayCount_;
  render();
  glutSwapBuffers();
  if (checkingSize_) checkSwappedSize();
}

void Panel::checkSwappedSize() {
  const WindowSize now = currentWindowSize();
  if (now.width < 0) {  // no window to compare with: nothing to wait for
    checkingSize_ = false;
    return;
  }
  const bool settled = now.width == swappedWidth_ && now.height == swappedHeight_ && now.width == width_ &&
                       now.height == height_;
  swappedWidth_ = now.width;
  swappedHeight_ = now.height;
  if (settled) {
    checkingSize_ = false;
    return;
  }
  // Paint again, at the size the window has now even if its reshape event
  // is still to come.
  width_ = now.width;
  height_ = now.height;
  postRepaint();
}

void Panel::completeClick(int index) {
  focus_ = index;
  controls_[index]->toggle();
}

}  // namespace glui_internal
