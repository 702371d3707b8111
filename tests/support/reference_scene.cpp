#include "reference_scene.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <sstream>

namespace {

// The frames the parts hang from, each built on the one before, as a
// typical GLUT program builds them.
void vehicleFrame(const ReferenceView &v) { glTranslatef(v.vehicleX, 0, 0); }

void hinge(float x, float y, float degrees) {
  glTranslatef(x, y, 0);
  glRotatef(degrees, 0, 0, 1);
  glTranslatef(-x, -y, 0);
}

void bodyFrame(const ReferenceView &v) {
  vehicleFrame(v);
  glTranslatef(0, 1.5f, 0);
  glRotatef(v.bodyYaw, 0, 1, 0);
}

void mountFrame(const ReferenceView &v) {
  bodyFrame(v);
  glTranslatef(2.5f, 1.5f, 0);
}

// The first arm segment stands on a hinge 3 below its centre, the second
// lies on one 2 left of its centre, the end block hangs from its top-left edge.
void postFrame(const ReferenceView &v) {
  mountFrame(v);
  glTranslatef(1, 3, 0);
  hinge(0, -3, v.joints[0]);
}

void beamFrame(const ReferenceView &v) {
  postFrame(v);
  glTranslatef(3, 3, 0);
  hinge(-2, 0, v.joints[1]);
}

void endFrame(const ReferenceView &v) {
  beamFrame(v);
  glTranslatef(3, -1, 0);
  hinge(-0.5f, 0.5f, v.joints[2]);
}

// A wheel rolls 114.5916 degrees per unit the vehicle travels.
void wheel(const ReferenceView &v, float x, float z) {
  vehicleFrame(v);
  glTranslatef(x, 0, z);
  glRotatef(v.vehicleX * 114.5916, 0, 0, 1);
}

// A block is a unit cube scaled in its frame.
void scaled(void (*frame)(const ReferenceView &), const ReferenceView &v, float x, float y, float z) {
  frame(v);
  glScalef(x, y, z);
}

constexpr std::array<float, 3> kYellow = {1, 1, 0}, kCyan = {0, 1, 1}, kRed = {1, 0, 0}, kGreen = {0, 1, 0},
                               kWhite = {1, 1, 1}, kMagenta = {1, 0, 1}, kGrey = {0.5f, 0.5f, 0.5f};

void drawGrid() {
  glBegin(GL_LINES);
  for (int i = -10; i <= 10; ++i) glVertex3f(-10, i, 0), glVertex3f(10, i, 0);
  for (int i = -10; i <= 10; ++i) glVertex3f(i, -10, 0), glVertex3f(i, 10, 0);
  for (int i = -10; i <= 10; ++i) glVertex3f(-10, 0, i), glVertex3f(10, 0, i);
  for (int i = -10; i <= 10; ++i) glVertex3f(i, 0, -10), glVertex3f(i, 0, 10);
  glEnd();
}

}  // namespace

bool readReferenceView(const std::string &words, ReferenceView &v) {
  std::istringstream in(words);
  auto read = [&in](float *out, int count) {
    for (int i = 0; i < count; ++i) {
      if (!(in >> out[i])) return false;
    }
    return true;
  };
  for (std::string word; in >> word;) {
    bool known = true;
    if (word == "perspective") {
      v.orthographic = false;
    } else if (word == "no-grid") {
      v.grid = false;
    } else if (word == "wireframe") {
      v.wireframe = true;
    } else if (word == "vehicle" || word == "yaw") {
      known = read(word == "yaw" ? &v.bodyYaw : &v.vehicleX, 1);
    } else if (word == "joints" || word == "spin" || word == "light") {
      known = read((word == "joints" ? v.joints : word == "spin" ? v.spin : v.light).data(), 3);
    } else if (word == "camera") {
      known = read(v.camera.data(), 9);
    } else {
      known = false;
    }
    if (!known) return false;
  }
  return true;
}

const std::vector<ReferencePart> &referenceParts() {
  using V = const ReferenceView &;
  using S = ReferenceShape;
  static const std::vector<ReferencePart> parts = {
      {"grid", S::GridLines, kGrey, [](V) {}},
      {"platform", S::Cube, kYellow, [](V v) { scaled(vehicleFrame, v, 10, 1, 10); }},
      {"wheel back left", S::Torus, kCyan, [](V v) { wheel(v, -2.5f, -5); }},
      {"wheel front left", S::Torus, kCyan, [](V v) { wheel(v, -2.5f, 5); }},
      {"wheel back right", S::Torus, kCyan, [](V v) { wheel(v, 2.5f, -5); }},
      {"wheel front right", S::Torus, kCyan, [](V v) { wheel(v, 2.5f, 5); }},
      {"body", S::Cube, kRed, [](V v) { scaled(bodyFrame, v, 6, 2, 6); }},
      {"mount", S::Cube, kGreen, mountFrame},
      {"first arm segment", S::Cube, kWhite, [](V v) { scaled(postFrame, v, 1, 7, 1); }},
      {"second arm segment", S::Cube, kMagenta, [](V v) { scaled(beamFrame, v, 5, 1, 1); }},
      {"end block", S::Cube, kCyan, endFrame},
  };
  return parts;
}

void setUpReferenceLighting() {
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 100);
  const float specular[4] = {0.2f, 0.2f, 0.2f, 0};
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
  // The scaled primitives keep the normals GLUT gives them.
  glDisable(GL_NORMALIZE);
  glDisable(GL_RESCALE_NORMAL);
  glEnable(GL_DEPTH_TEST);
}

void applyReferenceCamera(const ReferenceView &v) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  // The box is centred on the eye: 3.6 in front of it and 3.6 behind.
  if (v.orthographic) {
    glOrtho(-1.2, 1.2, -1.2, 1.2, -3.6, 3.6);
  } else {
    glFrustum(-0.6, 0.6, -0.6, 0.6, 0.54, 3.6);
  }
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  // Placed before the view, the light keeps its direction to the eye.
  const float light[4] = {v.light[0], v.light[1], v.light[2], 0};
  const float diffuse[4] = {0.09f, 0.09f, 0.09f, 0};
  const float specular[4] = {0.2f, 0.2f, 0.2f, 0};
  glLightfv(GL_LIGHT0, GL_POSITION, light);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
  const std::array<float, 9> &c = v.camera;
  gluLookAt(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8]);
  glRotatef(v.spin[0], 1, 0, 0);
  glRotatef(v.spin[1], 0, 1, 0);
  glRotatef(v.spin[2], 0, 0, 1);
  glScalef(0.1f, 0.1f, 0.1f);
}

void drawReferencePart(const ReferencePart &part, const ReferenceView &v) {
  if (part.shape == ReferenceShape::GridLines && !v.grid) return;
  glPushMatrix();
  part.place(v);
  switch (part.shape) {
    case ReferenceShape::GridLines: drawGrid(); break;
    case ReferenceShape::Cube: v.wireframe ? glutWireCube(1) : glutSolidCube(1); break;
    case ReferenceShape::Torus:
      v.wireframe ? glutWireTorus(0.5, 0.5, 10, 15) : glutSolidTorus(0.5, 0.5, 10, 15);
      break;
  }
  glPopMatrix();
}

void drawReferenceFrame(const ReferenceView &v) {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  applyReferenceCamera(v);
  for (const ReferencePart &part : referenceParts()) {
    glColor3f(part.colour[0], part.colour[1], part.colour[2]);
    drawReferencePart(part, v);
  }
}
