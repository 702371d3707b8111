#include "gl_test_support.h"

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <thread>

#include "app/lighting.h"
#include "app/scene_state.h"
#include "transform/projection.h"

void prepareViewerWindow() {
  sceneState = SceneState{};
  glutSetWindow(testWindow());
  restoreDefaultGlState();
  initLighting();
  reshapeWindow(600, 600);
}

bool pumpUntil(const std::function<bool()> &done, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    glutMainLoopEvent();
    if (done()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

std::uint32_t fuzzSeed(std::uint32_t fixed) {
  const char *text = std::getenv("VIEWER_FUZZ_SEED");
  return text != nullptr ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)) : fixed;
}

bool sameState(const SceneState &a, const SceneState &b) {
  // Every member is a 4-byte int or float, so the record has no padding and
  // a byte comparison sees every field.
  static_assert(sizeof(SceneState) % 4 == 0);
  return std::memcmp(&a, &b, sizeof(SceneState)) == 0;
}

Matrix readMatrix(GLenum which) {
  Matrix m{};
  glGetFloatv(which, m.data());
  return m;
}

void resetMatrices() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

::testing::AssertionResult matricesNear(const Matrix &actual, const Matrix &expected, float tolerance) {
  for (int i = 0; i < 16; ++i) {
    if (!(std::abs(actual[i] - expected[i]) <= tolerance)) {
      return ::testing::AssertionFailure() << "entry " << i << " (row " << i % 4 << ", column " << i / 4
                                           << ") is " << actual[i] << ", expected " << expected[i];
    }
  }
  return ::testing::AssertionSuccess();
}

std::array<float, 4> transformPoint(const Matrix &m, float x, float y, float z, float w) {
  std::array<float, 4> out{};
  for (int r = 0; r < 4; ++r) out[r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r] * w;
  return out;
}

StackDepths stackDepths() {
  StackDepths depths{};
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depths.modelView);
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depths.projection);
  return depths;
}

std::string glStateProblems(const StackDepths &start) {
  std::ostringstream out;
  for (GLenum e = glGetError(); e != GL_NO_ERROR; e = glGetError())
    out << "GL error 0x" << std::hex << e << ' ';
  out << std::dec;
  const StackDepths now = stackDepths();
  if (now.modelView != start.modelView) out << "model-view stack depth " << now.modelView << ' ';
  if (now.projection != start.projection) out << "projection stack depth " << now.projection << ' ';
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  if (mode != GL_MODELVIEW) out << "matrix mode 0x" << std::hex << mode << std::dec << ' ';
  for (GLenum which : {GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX}) {
    const Matrix m = readMatrix(which);
    if (!std::all_of(m.begin(), m.end(), [](float v) { return std::isfinite(v); })) {
      out << (which == GL_MODELVIEW_MATRIX ? "model-view" : "projection") << " matrix not finite ";
    }
  }
  return out.str();
}

int litPixelCount(const std::vector<unsigned char> &frame) {
  int lit = 0;
  for (std::size_t p = 0; p < frame.size(); p += 3) lit += (frame[p] | frame[p + 1] | frame[p + 2]) != 0;
  return lit;
}
