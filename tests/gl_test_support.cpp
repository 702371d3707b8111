#include "gl_test_support.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <thread>
#include <type_traits>

#include "gl_window.h"
#include "viewer_window.h"

namespace {

int windowId = 0;

// SceneState's fields, in order: a name, where it sits and how many ints or
// floats it holds. The comparison and the printer walk this list, which is
// checked to cover the whole record.
struct Field {
  const char *name;
  std::size_t offset;
  std::size_t count;
  bool isFloat;
};
// clang-format off
#define FIELD(name) Field{#name, offsetof(SceneState, name), sizeof(SceneState::name) / 4, \
                          std::is_same_v<std::remove_all_extents_t<decltype(SceneState::name)>, float>}
constexpr Field kFields[] = {
    FIELD(windowSize), FIELD(lightPosition), FIELD(lightSpecular), FIELD(lightDiffuse), FIELD(materialSpecular),
    FIELD(cameraParams), FIELD(orthoView), FIELD(showGrid), FIELD(wireframe), FIELD(spinX), FIELD(spinY),
    FIELD(spinZ), FIELD(spinCountX), FIELD(spinCountY), FIELD(spinCountZ), FIELD(vehicleX), FIELD(bodyYaw),
    FIELD(jointAngle1), FIELD(jointAngle2), FIELD(jointAngle3), FIELD(mouseMode), FIELD(lastMouseX),
    FIELD(mainWindow),
};
#undef FIELD
// clang-format on

// Every member is a 4-byte int or float, so the record has no padding, and
// the fields above cover it when their sizes add up to its size.
constexpr std::size_t coveredBytes() {
  std::size_t bytes = 0;
  for (const Field &f : kFields) bytes += 4 * f.count;
  return bytes;
}
static_assert(sizeof(int) == 4 && sizeof(float) == 4 && coveredBytes() == sizeof(SceneState),
              "a field of SceneState is missing from kFields");

const char *bytesOf(const SceneState &s, const Field &f) {
  return reinterpret_cast<const char *>(&s) + f.offset;
}

std::string valueOf(const SceneState &s, const Field &f) {
  std::ostringstream out;
  out.precision(9);  // enough to tell any two floats apart
  for (std::size_t i = 0; i < f.count; ++i) {
    float x;
    int n;
    std::memcpy(&x, bytesOf(s, f) + 4 * i, 4);
    std::memcpy(&n, bytesOf(s, f) + 4 * i, 4);
    out << (i > 0 ? ", " : f.count > 1 ? "{" : "");
    f.isFloat ? out << x : out << n;
  }
  if (f.count > 1) out << '}';
  return out.str();
}

}  // namespace

void openTestWindow() {
  windowId = openGlWindow("viewer tests", kMainWindowSide, kMainWindowSide, 40, 40);
  // The context as new, kept for restoreDefaultGlState.
  glPushAttrib(GL_ALL_ATTRIB_BITS);
}

int testWindow() { return windowId; }

void restoreDefaultGlState() {
  glutSetWindow(windowId);
  glPopAttrib();
  glPushAttrib(GL_ALL_ATTRIB_BITS);
}

void prepareViewerWindow() {
  sceneState = SceneState{};
  restoreDefaultGlState();
  setUpViewerWindow();
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

::testing::AssertionResult sameState(const SceneState &actual, const SceneState &expected) {
  std::string differences;
  for (const Field &f : kFields) {
    if (std::memcmp(bytesOf(actual, f), bytesOf(expected, f), 4 * f.count) == 0) continue;
    differences += std::string(differences.empty() ? "" : "; ") + f.name + " is " + valueOf(actual, f) +
                   ", expected " + valueOf(expected, f);
  }
  if (differences.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differences;
}

void PrintTo(const SceneState &state, std::ostream *out) {
  const char *separator = "";
  for (const Field &f : kFields) {
    *out << separator << f.name << ' ' << valueOf(state, f);
    separator = ", ";
  }
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

::testing::AssertionResult sameMatrixAsGl(const std::function<void()> &gl, const std::function<void()> &ours,
                                          float tolerance, void (*start)()) {
  start();
  gl();
  const Matrix expected = readMatrix(GL_MODELVIEW_MATRIX);
  start();
  ours();
  return matricesNear(readMatrix(GL_MODELVIEW_MATRIX), expected, tolerance);
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

bool isLit(const std::vector<unsigned char> &frame, std::size_t p) {
  return (frame[p] | frame[p + 1] | frame[p + 2]) != 0;
}

int litPixelCount(const std::vector<unsigned char> &frame) {
  int lit = 0;
  for (std::size_t p = 0; p < frame.size(); p += 3) lit += isLit(frame, p);
  return lit;
}
