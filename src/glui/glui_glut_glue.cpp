// GLUT callbacks of the panel windows: each finds the panel of the window
// GLUT reports and hands it the event.

#include <GL/glui.h>

#include "glui_panel_events.h"

namespace glui_internal {

namespace {

Panel *currentPanel() { return panelForWindow(glutGetWindow()); }

void onDisplay() {
  if (Panel *panel = currentPanel()) panel->handleDisplay();
}

void onReshape(int width, int height) {
  if (Panel *panel = currentPanel()) panel->handleReshape(width, height);
}

void onMouse(int button, int state, int x, int y) {
  if (Panel *panel = currentPanel()) panel->handleMouse(button, state, x, y);
}

void onMotion(int x, int y) {
  if (Panel *panel = currentPanel()) panel->handleMotion(x, y);
}

// The window manager may map the window, or show it again, after the
// panel's last paint went nowhere.
void onVisibility(int state) {
  if (state != GLUT_VISIBLE) return;
  if (Panel *panel = currentPanel()) panel->handleShown();
}

void onKey(unsigned char key, int, int) {
  if (Panel *panel = currentPanel()) {
    panel->handleKey(key, (glutGetModifiers() & GLUT_ACTIVE_SHIFT) != 0);
  }
}

}  // namespace

void installPanelCallbacks() {
  glutDisplayFunc(onDisplay);
  glutReshapeFunc(onReshape);
  glutMouseFunc(onMouse);
  glutMotionFunc(onMotion);
  glutKeyboardFunc(onKey);
  glutVisibilityFunc(onVisibility);
}

}  // namespace glui_internal
