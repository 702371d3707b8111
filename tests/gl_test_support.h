// Shared by the in-process tests: the GLUT window every test draws into, the
// viewer's start-up state in it, comparisons that say what differs, and ways
// to read back what OpenGL holds.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/scene_state.h"

// Opens the test window: kMainWindowSide square, double-buffered RGB with a
// depth buffer, as the viewer opens its main one. Once, before the first test.
void openTestWindow();

// The test window's GLUT id. Every test starts with it current, in OpenGL's
// initial state, with identity matrices and sceneState at its defaults,
// whatever the tests before it did.
int testWindow();

// Makes the test window current and puts its OpenGL state back as it was
// when its context was new, matrix stacks aside: so a frame drawn afterwards
// shows only what its own set-up asks for.
void restoreDefaultGlState();

// The viewer's start-up state in the test window: sceneState at its
// defaults, OpenGL's initial state with the viewer's one-time state on top.
// For tests that draw whole frames.
void prepareViewerWindow();

// Runs GLUT's event loop until `done` holds, for at most `ms` milliseconds;
// whether it came to hold.
bool pumpUntil(const std::function<bool()> &done, int ms = 3000);

// The seed of a randomised test: VIEWER_FUZZ_SEED when set, to explore,
// else the test's own fixed one, so that a failure reproduces.
std::uint32_t fuzzSeed(std::uint32_t fixed);

// Whether two records hold the same value in every field; the message names
// each field that differs, with both values.
::testing::AssertionResult sameState(const SceneState &actual, const SceneState &expected);

// Every field by name, for GoogleTest's messages.
void PrintTo(const SceneState &state, std::ostream *out);

using Matrix = std::array<float, 16>;

// The current matrix of a stack (GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX).
Matrix readMatrix(GLenum which);

// Both matrices reset, model-view current: the state a matrix test starts from.
void resetMatrices();

// Entry-by-entry comparison; the message names the first entry that differs.
::testing::AssertionResult matricesNear(const Matrix &actual, const Matrix &expected, float tolerance);

// OpenGL's own call and the program's stand-in for it, each run on the
// model-view matrix as `start` leaves it: whether they leave the same matrix.
::testing::AssertionResult sameMatrixAsGl(const std::function<void()> &gl, const std::function<void()> &ours,
                                          float tolerance, void (*start)() = resetMatrices);

// M p for a column-major M and p = (x, y, z, w).
std::array<float, 4> transformPoint(const Matrix &m, float x, float y, float z, float w);

struct StackDepths {
  GLint modelView;
  GLint projection;
};
StackDepths stackDepths();

// What is wrong with OpenGL's state, or "" when nothing is: errors raised
// since the last look, matrix stacks away from `start`, a matrix mode other
// than model-view, or a non-finite entry in either current matrix.
std::string glStateProblems(const StackDepths &start);

// Whether the pixel at byte offset `p` of a read-back RGB frame is drawn on,
// not black; and how many of the frame's pixels are.
bool isLit(const std::vector<unsigned char> &frame, std::size_t p);
int litPixelCount(const std::vector<unsigned char> &frame);
