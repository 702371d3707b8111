// Shared by the GLUI tests: panels closed after each test, and running
// GLUT's event loop for a while.
#pragma once

#include <GL/freeglut.h>
#include <GL/glui.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gl_test_support.h"
#include "glui/glui_panel_events.h"

using glui_internal::Panel;
using glui_internal::panelOf;
using glui_internal::Rect;

// Runs GLUT's event loop for `ms` milliseconds.
inline void pumpFor(int ms) {
  pumpUntil([] { return false; }, ms);
}

inline int windowGet(int window, GLenum what) {
  const int previous = glutGetWindow();
  glutSetWindow(window);
  const int value = glutGet(what);
  glutSetWindow(previous);
  return value;
}

// Until the window has its fitted size and the panel has heard of it.
inline bool waitForFittedSize(GLUI *glui) {
  Panel &p = panelOf(glui);
  const int w = glui->get_glut_window_id();
  return pumpUntil([&] {
    return windowGet(w, GLUT_WINDOW_WIDTH) == p.fittedWidth() && p.width() == p.fittedWidth() &&
           windowGet(w, GLUT_WINDOW_HEIGHT) == p.fittedHeight() && p.height() == p.fittedHeight();
  });
}

struct Point {
  int x, y;
};
inline Point centreOf(const Rect &r) { return {r.x + r.w / 2, r.y + r.h / 2}; }

inline void click(Panel &panel, Point down, Point up, int button = GLUT_LEFT_BUTTON) {
  panel.handleMouse(button, GLUT_DOWN, down.x, down.y);
  panel.handleMouse(button, GLUT_UP, up.x, up.y);
}

class GluiTest : public ::testing::Test {
 protected:
  // By default away from the test window, so neither covers the other.
  GLUI *makePanel(const std::vector<std::string> &labels, std::vector<int *> vars = {}, int x = 700,
                  int y = 60) {
    GLUI *glui = GLUI_Master.create_glui("GLUI", 0, x, y);
    panels_.push_back(glui);
    vars.resize(labels.size(), nullptr);
    for (size_t i = 0; i < labels.size(); ++i) glui->add_checkbox(labels[i], vars[i]);
    return glui;
  }
  void TearDown() override {
    for (GLUI *glui : panels_) glui_internal::Registry::close(glui);
  }
  std::vector<GLUI *> panels_;
};
