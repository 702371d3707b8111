#include "input/control_panel.h"

#include <GL/freeglut.h>
#include <GL/glui.h>

#include "app/scene_state.h"

void buildControlPanel() {
  SceneState &s = sceneState;
  GLUI *panel = GLUI_Master.create_glui("GLUI", 0, -1, -1);
  panel->add_checkbox("Rotation along x axis", &s.spinX, -1, GLUI_CB());
  panel->add_checkbox("Rotation along y axis", &s.spinY, -1, GLUI_CB());
  panel->add_checkbox("Rotation along z axis", &s.spinZ, -1, GLUI_CB());
  panel->add_checkbox("Show Gridlines", &s.showGrid, -1, GLUI_CB());
  panel->add_checkbox("Orthogonal View", &s.orthoView, -1, GLUI_CB());
  panel->add_checkbox("Wireframe View", &s.wireframe, -1, GLUI_CB());
  panel->set_main_gfx_window(s.mainWindow);
  // GLUI wraps the idle callback: it does its own idle work, then ours.
  GLUI_Master.set_glutIdleFunc(onIdle);
}

void onIdle() {
  // The panel may have left its own window current.
  if (glutGetWindow() != sceneState.mainWindow) glutSetWindow(sceneState.mainWindow);
  glutPostRedisplay();
}
