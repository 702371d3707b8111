// The viewer under a storm of input: every key code, every mouse button and
// state, pointer positions far outside the window and drags in every mode,
// interleaved with real frames and window resizes. Whatever arrives, the
// state must stay inside its ranges and OpenGL must stay healthy.

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <random>
#include <sstream>
#include <string>

#include "app/scene_state.h"
#include "gl_test_support.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "scene/display_scene.h"
#include "transform/projection.h"

namespace {

std::uint32_t stormSeed() {
  const char *text = std::getenv("VIEWER_FUZZ_SEED");
  return text != nullptr ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)) : 777013u;
}

// Whether every field is inside the range the viewer promises.
bool stateSound(const SceneState &s) {
  auto within = [](auto v, auto lo, auto hi) { return v >= lo && v <= hi; };
  bool sound = within(s.mouseMode, 0, 4) && std::isfinite(s.vehicleX) && std::isfinite(s.bodyYaw);
  for (float joint : {s.jointAngle1, s.jointAngle2, s.jointAngle3}) {
    sound = sound && within(joint, -90.f, 0.f);
  }
  for (int flag : {s.orthoView, s.showGrid, s.wireframe, s.spinX, s.spinY, s.spinZ}) {
    sound = sound && within(flag, 0, 1);
  }
  for (int count : {s.spinCountX, s.spinCountY, s.spinCountZ}) sound = sound && within(count, 0, 359);
  return sound;
}

std::string describe(const SceneState &s) {
  std::ostringstream out;
  out << "flags " << s.orthoView << s.showGrid << s.wireframe << s.spinX << s.spinY << s.spinZ << ", spins "
      << s.spinCountX << ' ' << s.spinCountY << ' ' << s.spinCountZ << ", pose " << s.vehicleX << ' '
      << s.bodyYaw << ' ' << s.jointAngle1 << ' ' << s.jointAngle2 << ' ' << s.jointAngle3 << ", mode "
      << s.mouseMode;
  return out.str();
}

class RobustEventStorm : public ::testing::Test {
 protected:
  void SetUp() override {
    prepareViewerWindow();
    while (glGetError() != GL_NO_ERROR) {
    }
    start_ = stackDepths();
  }
  StackDepths start_{};
};

TEST_F(RobustEventStorm, RandomInputInterleavedWithFramesKeepsStateAndGlSound) {
  const std::uint32_t seed = stormSeed();
  std::cout << "event-storm seed " << seed << " (set VIEWER_FUZZ_SEED to change)\n";
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  auto uniform = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

  constexpr int kEvents = 120000;
  constexpr int kEventsPerFrame = 300;
  int frames = 0;
  int dragsInMode[5] = {};
  int lastX = 300;
  for (int n = 1; n <= kEvents; ++n) {
    std::string event;
    const int kind = uniform(0, 9);
    if (kind <= 2) {
      const unsigned char key = static_cast<unsigned char>(uniform(0, 255));
      onKey(key, uniform(-1000000, 1000000), uniform(-1000000, 1000000));
      event = "onKey(" + std::to_string(key) + ")";
    } else if (kind == 3) {
      // Random keys rarely choose a mode, so choose one outright as well.
      const unsigned char key = static_cast<unsigned char>('1' + uniform(0, 4));
      onKey(key, 0, 0);
      event = std::string("onKey('") + static_cast<char>(key) + "')";
    } else if (kind == 4) {
      const int button = uniform(0, 4);
      const int state = uniform(0, 1);
      lastX = uniform(-1000000, 1000000);
      onMouse(button, state, lastX, uniform(-1000000, 1000000));
      event = "onMouse(" + std::to_string(button) + ", " + std::to_string(state) + ", " +
              std::to_string(lastX) + ")";
    } else {
      // Drags: mostly a hand's small steps, sometimes a jump anywhere.
      const int x =
          kind == 9 ? uniform(-1000000, 1000000) : std::clamp(lastX + uniform(-40, 40), -1000000, 1000000);
      ++dragsInMode[std::clamp(sceneState.mouseMode, 0, 4)];
      onDrag(x, uniform(-1000000, 1000000));
      lastX = x;
      event = "onDrag(" + std::to_string(x) + ") in mode " + std::to_string(sceneState.mouseMode);
    }
    ASSERT_TRUE(stateSound(sceneState)) << "after event " << n << ": " << event << "\n"
                                        << describe(sceneState);

    if (n % 997 == 0) {
      const int w = uniform(0, 2000);
      const int h = uniform(0, 2000);
      reshapeWindow(w, h);
      ASSERT_EQ(glStateProblems(start_), "") << "after reshapeWindow(" << w << ", " << h << "), event " << n;
    }
    if (n % kEventsPerFrame == 0) {
      displayScene();
      ++frames;
      ASSERT_EQ(glStateProblems(start_), "") << "after frame " << frames << " (event " << n << ")";
      ASSERT_TRUE(stateSound(sceneState)) << "after frame " << frames << "\n" << describe(sceneState);
    }
  }
  EXPECT_EQ(frames, kEvents / kEventsPerFrame);
  for (int mode = 0; mode < 5; ++mode) EXPECT_GT(dragsInMode[mode], 1000) << "too few drags in mode " << mode;
}

}  // namespace
