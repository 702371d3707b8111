// vehicle-viewer: an interactive OpenGL viewer for a wheeled vehicle with a
// turning body and a three-joint arm.

#include <GL/freeglut.h>

#include "app/command_line.h"
#include "app/lighting.h"
#include "app/scene_state.h"
#include "input/control_panel.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "scene/display_scene.h"
#include "transform/projection.h"

int main(int argc, char **argv) {
  // The camera is read before GLUT sees the arguments, so GLUT's own options
  // count towards the nine values.
  applyCommandLine(argc, argv);
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
  glutInitWindowSize(sceneState.windowSize[0], sceneState.windowSize[1]);
  glutInitWindowPosition(40, 40);
  sceneState.mainWindow = glutCreateWindow("Oskavel's Lab 2");

  glutDisplayFunc(displayScene);
  glutReshapeFunc(reshapeWindow);
  glutKeyboardFunc(onKey);
  glutMouseFunc(onMouse);
  glutMotionFunc(onDrag);

  initLighting();
  buildControlPanel();
  glutMainLoop();
  return 0;
}
