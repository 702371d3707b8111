// GLUI_Master: creates and owns the panels and wraps the idle callback.

#include <GL/glui.h>

#include <algorithm>

#include "glui_panel_events.h"

GLUI_Master_Object GLUI_Master;

using glui_internal::Panel;

GLUI_Master_Object::GLUI_Master_Object() : userIdle_(NULL) {}

// Runs at process exit, possibly after GLUT has shut down, so it only
// frees memory: the windows are GLUT's to close.
GLUI_Master_Object::~GLUI_Master_Object() = default;

GLUI *GLUI_Master_Object::create_glui(const GLUI_String &name, long flags, int x, int y) {
  (void)flags;  // subwindow flags are not supported
  const int previous = glutGetWindow();

  // The panel's display mode, size and position go through GLUT's initial
  // window settings; put the program's own settings back afterwards so
  // that windows it opens later are unaffected.
  const int savedMode = glutGet(GLUT_INIT_DISPLAY_MODE);
  const int savedX = glutGet(GLUT_INIT_WINDOW_X);
  const int savedY = glutGet(GLUT_INIT_WINDOW_Y);
  const int savedWidth = glutGet(GLUT_INIT_WINDOW_WIDTH);
  const int savedHeight = glutGet(GLUT_INIT_WINDOW_HEIGHT);

  // Opened at an empty panel's size; adding controls grows it to fit.
  glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);
  glutInitWindowSize(2 * glui_internal::kMargin, 2 * glui_internal::kMargin);
  if (x >= 0 && y >= 0) glutInitWindowPosition(x, y);
  const int window = glutCreateWindow(name.c_str());
  glui_internal::installPanelCallbacks();
  glutSetCursor(GLUT_CURSOR_LEFT_ARROW);

  glutInitDisplayMode(static_cast<unsigned int>(savedMode));
  glutInitWindowSize(savedWidth, savedHeight);
  glutInitWindowPosition(savedX, savedY);

  panels_.emplace_back(new GLUI(window));
  if (previous != 0) glutSetWindow(previous);
  return panels_.back().get();
}

void GLUI_Master_Object::set_glutIdleFunc(void (*f)()) {
  userIdle_ = f;
  // No control here needs idle time of its own, so with no user function
  // there is nothing to run and GLUT may sleep between events.
  glutIdleFunc(f != NULL ? glui_internal::idleHandler : NULL);
}

void GLUI_Master_Object::sync_live_all() {
  for (auto &glui : panels_) glui->sync_live();
}

namespace glui_internal {

GLUI *Registry::gluiForWindow(int windowId) {
  for (auto &glui : GLUI_Master.panels_) {
    if (glui->panel_->windowId() == windowId) return glui.get();
  }
  return NULL;
}

GLUI *Registry::newest() { return GLUI_Master.panels_.empty() ? NULL : GLUI_Master.panels_.back().get(); }

void Registry::close(GLUI *glui) {
  auto &panels = GLUI_Master.panels_;
  auto it = std::find_if(panels.begin(), panels.end(),
                         [glui](const std::unique_ptr<GLUI> &owned) { return owned.get() == glui; });
  if (it == panels.end()) return;
  glutDestroyWindow(glui->panel_->windowId());
  panels.erase(it);
}

void (*Registry::userIdle())() { return GLUI_Master.userIdle_; }

Panel *panelForWindow(int windowId) {
  GLUI *glui = Registry::gluiForWindow(windowId);
  return glui != NULL ? &Registry::panelOf(*glui) : NULL;
}

void idleHandler() {
  // The panels' controls have no idle work; only the program's function
  // runs.
  if (void (*user)() = Registry::userIdle()) user();
}

}  // namespace glui_internal
