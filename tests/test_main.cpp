// Test runner: brings up GLUT and one window before any test runs, because
// GL calls need a current context and GLUT calls an initialised GLUT.
// Listing the tests (as CTest does to discover them) needs no display.

#include <GL/freeglut.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <link.h>

#include <cstring>

#include "gl_test_support.h"

namespace {

int windowId = 0;

void drawNothing() {}

// The GL driver is unloaded at exit before LeakSanitizer looks for leaks, and
// a leak inside an unloaded module cannot be told apart from one of ours.
// Pinning the driver keeps its name on its own leaks, for the suppressions.
int pinIfGlDriver(dl_phdr_info *info, size_t, void *) {
  if (std::strstr(info->dlpi_name, "_dri.so") != nullptr) {
    dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  }
  return 0;
}

class GlutEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    char name[] = "viewer-tests";
    char *argv[] = {name, nullptr};
    int argc = 1;
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(600, 600);
    glutInitWindowPosition(40, 40);
    windowId = glutCreateWindow("viewer tests");
    glutDisplayFunc(drawNothing);
    // Let the window be mapped and receive its first events.
    for (int i = 0; i < 5; ++i) glutMainLoopEvent();
    glutSetWindow(windowId);
    dl_iterate_phdr(pinIfGlDriver, nullptr);
  }

};

}  // namespace

int testWindow() { return windowId; }

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new GlutEnvironment);
  return RUN_ALL_TESTS();
}
