// The window both benchmark programs draw in.
#pragma once

#include <GL/freeglut.h>

#include <cstdlib>

namespace bench {

inline void drawNothing() {}

// Initialises GLUT and opens a side x side double-buffered RGB window with a
// depth buffer at (40, 40), current on return. Mesa reads vblank_mode before
// the first context: with it off, a swap never waits for a vertical blank
// (Xvfb has none anyway), so nothing caps the frame rate. Nor does Mesa keep
// a shader cache in the user's home.
inline int openBenchmarkWindow(const char *title, int side) {
  setenv("vblank_mode", "0", 0);
  setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
  int argc = 1;
  char name[] = "benchmark";
  char *argv[] = {name, nullptr};
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
  glutInitWindowSize(side, side);
  glutInitWindowPosition(40, 40);
  const int window = glutCreateWindow(title);
  glutDisplayFunc(drawNothing);
  for (int i = 0; i < 5; ++i) glutMainLoopEvent();
  glutSetWindow(window);
  return window;
}

}  // namespace bench
