#include "gl_window.h"

#include <GL/freeglut.h>

#include <cstdlib>

int openGlWindow(const char *title, int width, int height, int x, int y) {
  setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
  char name[] = "vehicle-viewer-test";
  char *argv[] = {name, nullptr};
  int argc = 1;
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
  glutInitWindowSize(width, height);
  glutInitWindowPosition(x, y);
  const int window = glutCreateWindow(title);
  glutDisplayFunc([] {});
  return window;
}

std::vector<unsigned char> readPixels(int width, int height) {
  std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}
