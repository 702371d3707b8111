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

// The first range the state has left, or "" while it is sound.
std::string stateViolation(const SceneState &s) {
  std::ostringstream out;
  const struct {
    const char *name;
    float value;
  } joints[] = {
      {"jointAngle1", s.jointAngle1}, {"jointAngle2", s.jointAngle2}, {"jointAngle3", s.jointAngle3}};
  for (const auto &j : joints) {
    if (!(j.value >= -90 && j.value <= 0)) out << j.name << " = " << j.value << " (outside -90..0) ";
  }
  if (s.mouseMode < 0 || s.mouseMode > 4) out << "mouseMode = " << s.mouseMode << ' ';
  const struct {
    const char *name;
    int value;
  } flags[] = {{"orthoView", s.orthoView}, {"showGrid", s.showGrid}, {"wireframe", s.wireframe},
               {"spinX", s.spinX},         {"spinY", s.spinY},       {"spinZ", s.spinZ}};
  for (const auto &f : flags) {
    if (f.value != 0 && f.value != 1) out << f.name << " = " << f.value << ' ';
  }
  const struct {
    const char *name;
    int value;
  } counts[] = {{"spinCountX", s.spinCountX}, {"spinCountY", s.spinCountY}, {"spinCountZ", s.spinCountZ}};
  for (const auto &c : counts) {
    if (c.value < 0 || c.value > 359) out << c.name << " = " << c.value << ' ';
  }
  if (!std::isfinite(s.vehicleX)) out << "vehicleX = " << s.vehicleX << ' ';
  if (!std::isfinite(s.bodyYaw)) out << "bodyYaw = " << s.bodyYaw << ' ';
  return out.str();
}

struct GlHealth {
  GLint modelViewDepth;
  GLint projectionDepth;
};

GlHealth stackDepths() {
  GlHealth h{};
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &h.modelViewDepth);
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &h.projectionDepth);
  return h;
}

// GL errors since the last look, unbalanced stacks and non-finite matrices.
std::string glViolation(const GlHealth &start) {
  std::ostringstream out;
  for (GLenum e = glGetError(); e != GL_NO_ERROR; e = glGetError()) {
    out << "GL error 0x" << std::hex << e << std::dec << ' ';
  }
  const GlHealth now = stackDepths();
  if (now.modelViewDepth != start.modelViewDepth)
    out << "model-view stack depth " << now.modelViewDepth << ' ';
  if (now.projectionDepth != start.projectionDepth)
    out << "projection stack depth " << now.projectionDepth << ' ';
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  if (mode != GL_MODELVIEW) out << "matrix mode 0x" << std::hex << mode << std::dec << ' ';
  for (GLenum which : {GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX}) {
    const Matrix m = readMatrix(which);
    for (int i = 0; i < 16; ++i) {
      if (!std::isfinite(m[i])) {
        out << (which == GL_MODELVIEW_MATRIX ? "model-view" : "projection") << " entry " << i << " = " << m[i]
            << ' ';
        break;
      }
    }
  }
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
  GlHealth start_{};
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
    const std::string bad = stateViolation(sceneState);
    ASSERT_EQ(bad, "") << "after event " << n << ": " << event;

    if (n % 997 == 0) {
      const int w = uniform(0, 2000);
      const int h = uniform(0, 2000);
      reshapeWindow(w, h);
      ASSERT_EQ(glViolation(start_), "") << "after reshapeWindow(" << w << ", " << h << "), event " << n;
    }
    if (n % kEventsPerFrame == 0) {
      displayScene();
      ++frames;
      ASSERT_EQ(glViolation(start_), "") << "after frame " << frames << " (event " << n << ")";
      ASSERT_EQ(stateViolation(sceneState), "") << "after frame " << frames;
    }
  }
  EXPECT_EQ(frames, kEvents / kEventsPerFrame);
  for (int mode = 0; mode < 5; ++mode) EXPECT_GT(dragsInMode[mode], 1000) << "too few drags in mode " << mode;
}

}  // namespace
