// Test runner: brings up GLUT and one window before any test runs, because
// GL calls need a current context and GLUT calls an initialised GLUT.
// Listing the tests (as CTest does to discover them) needs no display.

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "gl_test_support.h"

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

namespace {

int windowId = 0;

void drawNothing() {}

class GlutEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    // No shader cache: the tests should leave nothing in the user's home, and
    // the cache's writer thread, busy at exit, trips LeakSanitizer's check.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
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
  }
};

}  // namespace

int testWindow() { return windowId; }

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new GlutEnvironment);
  const int result = RUN_ALL_TESTS();
#ifdef __SANITIZE_ADDRESS__
  // Look for leaks now, while the GL driver is loaded and its threads are
  // idle: at exit it is torn down and unloaded concurrently with the check,
  // which then can neither name the driver's own leaks nor run reliably.
  __lsan_do_leak_check();
#endif
  return result;
}
