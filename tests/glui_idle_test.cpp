// The idle handler GLUI_Master installs, run by GLUT's own main loop.
// glutMainLoop does not return while windows are open, so each case runs
// in a child process that ends from a callback with a telling code.

#include <cstdlib>

#include "glui_test_support.h"

namespace {

TEST(GluiIdle, InstalledHandlerCallsTheLatestFunctionAndNullRemovesIt) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto run = [](void (*first)(), void (*second)(), int timeoutMs) {
    GLUI_Master.create_glui("GLUI", 0, 700, 60)->add_checkbox("Idle");
    GLUI_Master.set_glutIdleFunc(first);
    GLUI_Master.set_glutIdleFunc(second);
    glutTimerFunc(
        timeoutMs, [](int) { std::_Exit(0); }, 0);
    glutMainLoop();
  };
  void (*exit42)() = [] { std::_Exit(42); };
  void (*exit43)() = [] { std::_Exit(43); };
  EXPECT_EXIT(run(exit42, exit42, 5000), ::testing::ExitedWithCode(42), "");
  EXPECT_EXIT(run(exit42, exit43, 5000), ::testing::ExitedWithCode(43), "");
  EXPECT_EXIT(run(exit42, NULL, 300), ::testing::ExitedWithCode(0), "");
}

}  // namespace
