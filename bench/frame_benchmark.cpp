// Frames per second of three pipelines, measured in one process on one window
// so that they share the driver, the display and the machine's load:
//   viewer     the real displayScene;
//   GL-native  the same scene drawn with glLoadIdentity, glOrtho / glFrustum,
//              gluLookAt, glRotatef, glScalef and glTranslatef: the tests'
//              reference picture (tests/support/reference_scene.h);
//   empty      clear and swap, the floor every frame pays.
// The pipelines take turns in rounds, in a rotating order, so a slow spell of
// the machine lands on all of them alike; each round's rate is one sample and
// the median of the samples is reported. Every frame ends with glFinish, so a
// frame is counted only once the driver has really drawn it.
//
// Usage: frame-benchmark [rounds] [frames-per-round]   (default 15 200)

#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/scene_state.h"
#include "gl_window.h"
#include "reference_scene.h"
#include "scene/display_scene.h"
#include "viewer_window.h"

namespace {

void viewerFrame() { displayScene(); }

// The GL-native frame keeps its own spin counters, advanced the way the
// viewer's are, so both pipelines do the same bookkeeping; both turn about
// every axis.
int nativeSpin[3] = {0, 0, 0};

void glNativeFrame() {
  ReferenceView view;
  for (int axis = 0; axis < 3; ++axis) {
    advanceSpin(nativeSpin[axis]);
    view.spin[axis] = static_cast<float>(nativeSpin[axis]);
  }
  drawReferenceFrame(view);
  glutSwapBuffers();
}

void emptyFrame() {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glutSwapBuffers();
}

struct Pipeline {
  const char *name;
  void (*frame)();
  std::vector<double> framesPerSecond;
};

double framesPerSecond(void (*frame)(), int frames) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < frames; ++i) {
    frame();
    glFinish();
  }
  const std::chrono::duration<double> elapsed = Clock::now() - start;
  return frames / elapsed.count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char **argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  const int framesPerRound = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;

  // Read by Mesa before its first context: a swap never waits for a vertical
  // blank (Xvfb has none anyway), so nothing caps the frame rate.
  setenv("vblank_mode", "0", 0);
  sceneState.mainWindow = openGlWindow("frame benchmark", kMainWindowSide, kMainWindowSide, 40, 40);
  for (int i = 0; i < 5; ++i) glutMainLoopEvent();  // let it come up

  setUpViewerWindow();
  // The viewer as it starts, but with every axis turning, so each frame
  // carries the full chain of transforms.
  sceneState.spinX = sceneState.spinY = sceneState.spinZ = 1;

  std::printf("renderer: %s (%s)\n", reinterpret_cast<const char *>(glGetString(GL_RENDERER)),
              reinterpret_cast<const char *>(glGetString(GL_VERSION)));
  std::printf("window %dx%d, %d rounds x %d frames per pipeline, glFinish after every frame\n",
              kMainWindowSide, kMainWindowSide, rounds, framesPerRound);

  std::vector<Pipeline> pipelines = {
      {"viewer", viewerFrame, {}}, {"GL-native", glNativeFrame, {}}, {"empty", emptyFrame, {}}};
  // Warm-up: the driver builds its shaders and buffers on first use.
  for (Pipeline &p : pipelines) framesPerSecond(p.frame, 50);

  for (int round = 0; round < rounds; ++round) {
    for (std::size_t k = 0; k < pipelines.size(); ++k) {
      Pipeline &p = pipelines[(round + k) % pipelines.size()];
      p.framesPerSecond.push_back(framesPerSecond(p.frame, framesPerRound));
    }
    glutMainLoopEvent();  // keep the X connection drained
  }

  std::printf("\n%-10s %12s %12s %12s\n", "pipeline", "median fps", "min fps", "max fps");
  for (const Pipeline &p : pipelines) {
    const auto [lo, hi] = std::minmax_element(p.framesPerSecond.begin(), p.framesPerSecond.end());
    std::printf("%-10s %12.1f %12.1f %12.1f\n", p.name, median(p.framesPerSecond), *lo, *hi);
  }
  const double viewer = median(pipelines[0].framesPerSecond);
  const double native = median(pipelines[1].framesPerSecond);
  const double empty = median(pipelines[2].framesPerSecond);
  // The same ratio taken round by round: both pipelines of a round ran
  // within a second of each other, so a busy spell of the machine cancels.
  std::vector<double> pairedRatios;
  for (int round = 0; round < rounds; ++round) {
    pairedRatios.push_back(pipelines[0].framesPerSecond[round] / pipelines[1].framesPerSecond[round]);
  }
  const auto [pairedLo, pairedHi] = std::minmax_element(pairedRatios.begin(), pairedRatios.end());
  std::printf("\nviewer / GL-native: %.3f (median of per-round ratios %.3f, range %.3f..%.3f)\n",
              viewer / native, median(pairedRatios), *pairedLo, *pairedHi);
  std::printf("viewer / empty:     %.3f\n", viewer / empty);
  std::printf("GL-native / empty:  %.3f\n", native / empty);
  // Per-frame cost above the empty frame, which is where the pipelines differ.
  std::printf("drawing cost per frame above empty: viewer %.3f ms, GL-native %.3f ms\n",
              1000 / viewer - 1000 / empty, 1000 / native - 1000 / empty);
  return 0;
}
