// Test runner: brings up GLUT and one window before any test runs, because
// GL calls need a current context and GLUT calls an initialised GLUT, and
// starts every test from the same state, so that no test depends on what
// ran before it in the same process. Listing the tests (as CTest does to
// discover them) needs no display.

#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>

#include "app/scene_state.h"
#include "gl_test_support.h"
#include "glui_testing.h"

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

namespace {

bool windowShown = false;

void drawNothing() {}

// What the set-up is doing, for the message if it never gets further: a
// call into X or the GL driver can block where no loop of ours can time out.
const char *volatile setUpStage = "";
constexpr unsigned kSetUpSeconds = 60;

pthread_t setUpThread;

void reportStalledSetUp(int) {
  // The alarm may land on one of the driver's threads; the stack that
  // matters is the set-up's.
  if (!pthread_equal(pthread_self(), setUpThread)) {
    pthread_kill(setUpThread, SIGALRM);
    return;
  }
  const char message[] = "viewer-tests: the GLUT/GL set-up did not finish in 60 s; it was ";
  (void)!write(STDERR_FILENO, message, sizeof message - 1);
  (void)!write(STDERR_FILENO, setUpStage, std::strlen(setUpStage));
  (void)!write(STDERR_FILENO, "\n", 1);
  std::abort();  // the sanitizers then print where each thread stood
}

class GlutEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    setUpThread = pthread_self();
    std::signal(SIGALRM, reportStalledSetUp);
    alarm(kSetUpSeconds);

    setUpStage = "connecting to the X display and opening the test window with its GL context";
    openTestWindow();
    glutDisplayFunc([] { windowShown = true; });
    setUpStage = "waiting for the test window to be shown";
    const bool shown = pumpUntil([] { return windowShown; }, 30'000);
    alarm(0);
    ASSERT_TRUE(shown) << "waited 30 s for the test window to be mapped and drawn on display "
                       << (std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "(none)");
    glutDisplayFunc(drawNothing);
  }
};

// Before each test: no panel and no idle function, the test window current,
// drawing nothing, its pending events handled; OpenGL's initial state with
// identity matrices; sceneState at its defaults.
class FreshStart : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo &) override {
    GLUI_Testing::closeAll();
    glutSetWindow(testWindow());
    glutDisplayFunc(drawNothing);
    pumpUntil([] { return false; }, 20);
    restoreDefaultGlState();
    resetMatrices();
    sceneState = SceneState{};
  }
};

}  // namespace

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new GlutEnvironment);
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshStart);
  const int result = RUN_ALL_TESTS();
#ifdef __SANITIZE_ADDRESS__
  // Look for leaks now, while the GL driver is loaded and its threads are
  // idle: at exit it is torn down and unloaded concurrently with the check,
  // which then can neither name the driver's own leaks nor run reliably.
  __lsan_do_leak_check();
#endif
  return result;
}
