#include "app/lighting.h"

#include <GL/gl.h>

#include "app/scene_state.h"

void initLighting() {
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  // glColor3f sets ambient and diffuse of both faces; that is GL's default
  // colour-material mode, so it is not named here.
  glEnable(GL_COLOR_MATERIAL);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 100);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, sceneState.materialSpecular);
  glEnable(GL_DEPTH_TEST);
  glClear(GL_DEPTH_BUFFER_BIT);
  // GL_NORMALIZE stays off: the scaled primitives are lit with the normals
  // GLUT gives them, unrenormalised, which is part of the viewer's look.
}
