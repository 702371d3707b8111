// What the tests reach inside <GL/glui.h>'s panels: events as the panel
// window's GLUT callbacks get them, what a panel holds, and closing every
// panel so that each test starts without one.
#pragma once

#include <GL/glui.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

struct GLUI_Testing {
  static GLUI *newest() { return GLUI_Master.panels_.back().get(); }
  static int window(GLUI *glui) { return glui->window_; }
  static const std::string &label(GLUI *glui, int row) { return glui->rows_[row]->name_; }
  // The size the panel paints at.
  static std::vector<int> paintedSize(GLUI *glui) { return {glui->width_, glui->height_}; }

  // Sends the events of `script`, words of: T Tab, S Shift-Tab, _ Space, k<c>
  // the key c, d<x>,<y>[,<button>] and u... a button (by default the left)
  // going down or up at (x, y), m<x>,<y> a motion, v the window shown again.
  // Mouse and window events arrive with the panel's window current; keys
  // straight at the panel, since GLUT answers glutGetModifiers only inside
  // its own callbacks. Returns the focus after each event: a row counted from
  // 1, or - for none.
  static std::string send(GLUI *glui, const std::string &script) {
    std::istringstream words(script);
    std::string focus;
    for (std::string w; words >> w;) {
      int x = 0, y = 0, button = GLUT_LEFT_BUTTON;
      std::sscanf(w.c_str() + 1, "%d,%d,%d", &x, &y, &button);
      glutSetWindow(glui->window_);
      if (w[0] == 'd' || w[0] == 'u') {
        GLUI::onMouse(button, w[0] == 'd' ? GLUT_DOWN : GLUT_UP, x, y);
      } else if (w[0] == 'm') {
        GLUI::onMotion(x, y);
      } else if (w[0] == 'v') {
        GLUI::onVisibility(GLUT_VISIBLE);
      } else {
        glui->key(w[0] == 'k' ? w[1] : w[0] == '_' ? ' ' : '\t', w[0] == 'S');
      }
      focus += glui->focus_ < 0 ? '-' : static_cast<char>('1' + glui->focus_);
    }
    return focus;
  }

  static void closeAll() {
    for (auto &glui : GLUI_Master.panels_) glutDestroyWindow(glui->window_);
    GLUI_Master.panels_.clear();
    GLUI_Master.set_glutIdleFunc(NULL);
  }
};
