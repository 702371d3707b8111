// The viewer's picture drawn a second way, for the tests to compare with:
// OpenGL's and GLU's own glOrtho / glFrustum, gluLookAt, glTranslatef,
// glRotatef and glScalef, its own lighting and material set-up, and every
// constant written out here from what the picture is meant to be. It uses
// nothing of the viewer's code and reads none of its state, so a fault there
// cannot hide in the picture it is compared with.
#pragma once

#include <array>
#include <string>
#include <vector>

// What a picture shows, as plain values: a test sets the viewer to the same.
struct ReferenceView {
  bool orthographic = true;
  bool grid = true;
  bool wireframe = false;
  std::array<float, 3> spin = {0, 0, 0};  // degrees about x, y and z
  float vehicleX = 0;
  float bodyYaw = 0;
  std::array<float, 3> joints = {0, 0, 0};
  std::array<float, 9> camera = {1, 1, 1, 0, 0, 0, 0, 1, 0};  // eye, centre, up
  std::array<float, 3> light = {1, 1, 1};                     // direction, in eye space
};

enum class ReferenceShape { GridLines, Cube, Torus };

// Reads a view from words, each changing the default view: "perspective",
// "no-grid", "wireframe", "vehicle X", "yaw D", "joints A B C", "spin X Y Z",
// "camera EX EY EZ CX CY CZ UX UY UZ", "light X Y Z". False on a word it
// does not know or too few numbers.
bool readReferenceView(const std::string &words, ReferenceView &view);

// A part of the picture: what it is, where it sits and what colour it is.
struct ReferencePart {
  const char *name;
  ReferenceShape shape;
  std::array<float, 3> colour;
  // Multiplies the part's own frame onto the model-view matrix, starting
  // from the world frame at model scale (see applyReferenceCamera).
  void (*place)(const ReferenceView &view);
};

// The grid first, then the vehicle's parts in drawing order.
const std::vector<ReferencePart> &referenceParts();

// The main window's one-time state: a directional light with colour
// material, glossy surfaces and a depth test. Call once per context.
void setUpReferenceLighting();

// The projection, the light and the view: leaves the model-view matrix at
// the world frame at model scale.
void applyReferenceCamera(const ReferenceView &view);

// Draws the part in the current colour where the view puts it, starting
// from the world frame at model scale; nothing for the grid when the view
// hides it.
void drawReferencePart(const ReferencePart &part, const ReferenceView &view);

// Clears and draws one whole frame into the current window's back buffer,
// with the viewport as it stands. Does not swap.
void drawReferenceFrame(const ReferenceView &view);
