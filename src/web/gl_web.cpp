// The OpenGL 1.x half of the browser layer: each window's fixed-function
// state; vertices transformed here and batched for WebGL, which lights them
// by OpenGL's equations and rasterises them; and the window-space overlay,
// turned into whole pixels by GL's rules (pixels.h).

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

#include "glut_web.h"
#include "pixels.h"

namespace glweb {
namespace {

using Matrix = std::array<float, 16>;  // column-major: row r, column c at 4c + r
constexpr Matrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
constexpr std::size_t kModelViewDepth = 32, kProjectionDepth = 4;  // GL's least: 32 and 2

// A vertex as the program gives it, then as WebGL takes it: clip
// coordinates, the normal in eye space.
struct Vertex {
  float position[4], normal[3], colour[4];
};

// Light 0 and the material, as the shader takes them (glut_web.js).
struct Shading {
  float switches[4] = {0, 0, 0, 0};      // lighting, light 0, colour material; the shininess
  float towardsLight[4] = {0, 0, 1, 0};  // in eye space, of unit length
  float lightAmbient[4] = {0, 0, 0, 1}, lightDiffuse[4] = {1, 1, 1, 1}, lightSpecular[4] = {1, 1, 1, 1};
  float ambient[4] = {0.2f, 0.2f, 0.2f, 1}, diffuse[4] = {0.8f, 0.8f, 0.8f, 1}, specular[4] = {0, 0, 0, 1};
};

}  // namespace

struct GlState {
  int window;
  float scaleX = 1, scaleY = 1;  // device pixels per window pixel
  std::vector<Matrix> modelView{kIdentity}, projection{kIdentity};
  bool projectionMode = false, lighting = false, depthTest = false, inBegin = false, rasterValid = true;
  int viewport[4] = {0, 0, 0, 0};
  float clearColour[4] = {0, 0, 0, 0}, colour[4] = {1, 1, 1, 1}, normal[3] = {0, 0, 1};
  Shading shading;
  Stipple stipple;
  float raster[3] = {0, 0, 0}, rasterColour[4] = {1, 1, 1, 1};  // window coordinates, clip depth
  GLenum primitive = GL_POINTS;
  std::vector<Vertex> vertices;
  // What WebGL draws next, in one call: primitives of one kind, made in
  // one state (whatever changes it sends them first). Kept from frame to
  // frame, so that drawing allocates nothing once warm.
  std::vector<Vertex> batch;
  GLenum batchMode = GL_TRIANGLES;
  std::vector<PixelRun> runs;
};

namespace {

GlState *gl = nullptr;

void copy4(float *to, const float *from) { std::copy(from, from + 4, to); }

std::vector<Matrix> &stack() { return gl->projectionMode ? gl->projection : gl->modelView; }

Matrix product(const Matrix &a, const float *b) {
  Matrix p{};
  for (int i = 0; i < 16; ++i) {
    for (int k = 0; k < 4; ++k) p[i] += a[4 * k + i % 4] * b[i / 4 * 4 + k];
  }
  return p;
}

void multiply(const Matrix &m) { stack().back() = product(stack().back(), m.data()); }

// m p, for a point p of four coordinates.
void transform(const Matrix &m, const float *p, float *out) {
  for (int r = 0; r < 4; ++r) out[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r] * p[3];
}

// Where window pixel edge i lies in device pixels, across (0) or up (1).
int device(int i, int axis) { return std::lround(i * (axis == 0 ? gl->scaleX : gl->scaleY)); }

void flush() {
  if (gl == nullptr || gl->batch.empty()) return;
  const int *v = gl->viewport;
  const int d[4] = {device(v[0], 0), device(v[1], 1), device(v[0] + v[2], 0) - device(v[0], 0),
                    device(v[1] + v[3], 1) - device(v[1], 1)};
  gl->shading.switches[0] = gl->lighting;
  glutWebDraw(gl->window, gl->batchMode, gl->batch[0].position, static_cast<int>(gl->batch.size()),
              gl->shading.switches, d, gl->depthTest);
  gl->batch.clear();
}

void emit(GLenum mode, const Vertex &v) {
  if (mode != gl->batchMode) flush();
  gl->batchMode = mode;
  gl->batch.push_back(v);
}

// Window coordinates of a transformed vertex, and its depth in clip space.
std::array<float, 3> toWindow(const Vertex &v) {
  const float *c = v.position;
  return {(c[0] / c[3] + 1) * 0.5f * gl->viewport[2] + gl->viewport[0],
          (c[1] / c[3] + 1) * 0.5f * gl->viewport[3] + gl->viewport[1], c[2] / c[3]};
}

// The pixel runs made so far, as rectangles on pixel edges.
void drawRuns(float z, const float *c) {
  const int *v = gl->viewport;
  const auto clip = [v](int i, int axis) { return 2.0f * (i - v[axis]) / v[2 + axis] - 1; };
  for (const PixelRun &p : gl->runs) {
    const int corners[6][2] = {{p.x0, p.y0}, {p.x1, p.y0}, {p.x1, p.y1},
                               {p.x0, p.y0}, {p.x1, p.y1}, {p.x0, p.y1}};
    for (const auto &k : corners)
      emit(GL_TRIANGLES, {{clip(k[0], 0), clip(k[1], 1), z, 1}, {0, 0, 1}, {c[0], c[1], c[2], c[3]}});
  }
  gl->runs.clear();
}

// Primitives drawn unlit straight into window space, as a panel is, come
// out as GL's whole pixels; the rest as WebGL draws them.
void point(const Vertex &v, bool overlay) {
  if (!overlay) return emit(GL_POINTS, v);
  const auto w = toWindow(v);
  gl->runs.push_back(pointPixel(w[0], w[1]));
  drawRuns(w[2], v.colour);
}

void segment(const Vertex &a, const Vertex &b, bool overlay) {
  const auto p = toWindow(a), q = toWindow(b);
  if (!overlay || (std::fabs(p[0] - q[0]) > 1e-3f && std::fabs(p[1] - q[1]) > 1e-3f)) {
    return emit(GL_LINES, a), emit(GL_LINES, b);
  }
  segmentPixels(p[0], p[1], q[0], q[1], gl->stipple, gl->runs);
  drawRuns(p[2], a.colour);
}

// A rectangle on the window's axes needs nothing of the overlay's: with its
// edges on pixel edges, it is drawn alike everywhere.
void polygon(const Vertex *v, int n) {
  for (int i = 1; i + 1 < n; ++i) {
    for (const Vertex *corner : {v, v + i, v + i + 1}) emit(GL_TRIANGLES, *corner);
  }
}

// From object to clip coordinates, and normals to eye space by the inverse
// transpose of the model-view matrix M: with a, b, c the columns of its
// upper 3 x 3, that takes n to (n.x b×c + n.y c×a + n.z a×b) / det M.
// Whether they make an overlay: unlit, with w = 1 throughout.
bool transformVertices() {
  const Matrix &m = gl->modelView.back();
  const Matrix mvp = product(gl->projection.back(), m.data());
  float adjugate[3][3];
  for (int i = 0; i < 9; ++i) {
    const int a = 4 * (i / 3 + 1) % 12, b = 4 * (i / 3 + 2) % 12, k1 = (i + 1) % 3, k2 = (i + 2) % 3;
    adjugate[i / 3][i % 3] = m[a + k1] * m[b + k2] - m[a + k2] * m[b + k1];
  }
  const float det = m[0] * adjugate[0][0] + m[1] * adjugate[0][1] + m[2] * adjugate[0][2];
  for (Vertex &v : gl->vertices) {
    const Vertex in = v;
    transform(mvp, in.position, v.position);
    for (int k = 0; k < 3 && det != 0; ++k) {
      v.normal[k] = 0;
      for (int col = 0; col < 3; ++col) v.normal[k] += adjugate[col][k] * in.normal[col] / det;
    }
  }
  return !gl->lighting && mvp[3] == 0 && mvp[7] == 0 && mvp[11] == 0 && mvp[15] == 1;
}

void assemble(GLenum mode) {
  const bool overlay = transformVertices();
  const Vertex *v = gl->vertices.data();
  const int n = static_cast<int>(gl->vertices.size());
  gl->stipple.counter = 0;
  if (mode == GL_POINTS) {
    for (int i = 0; i < n; ++i) point(v[i], overlay);
  } else if (mode == GL_LINES) {
    for (int i = 0; i + 1 < n; i += 2, gl->stipple.counter = 0) segment(v[i], v[i + 1], overlay);
  } else if (mode == GL_LINE_STRIP || mode == GL_LINE_LOOP) {
    for (int i = 0; i + 1 < n; ++i) segment(v[i], v[i + 1], overlay);
    if (mode == GL_LINE_LOOP && n > 1) segment(v[n - 1], v[0], overlay);
  } else if (mode == GL_TRIANGLES || mode == GL_TRIANGLE_STRIP) {
    for (int i = 0; i + 2 < n; i += mode == GL_TRIANGLES ? 3 : 1) polygon(v + i, 3);
  } else if (mode == GL_TRIANGLE_FAN || mode == GL_POLYGON) {
    polygon(v, n);
  }
  gl->vertices.clear();
}

void addVertex(float x, float y, float z, const float *n) {
  const float *c = gl->colour;
  gl->vertices.push_back({{x, y, z, 1}, {n[0], n[1], n[2]}, {c[0], c[1], c[2], c[3]}});
}

void setEnabled(GLenum cap, bool on) {
  flush();
  float *s = gl->shading.switches;
  // The material keeps the colour it followed last.
  if (cap == GL_COLOR_MATERIAL && s[2] != 0 && !on)
    copy4(gl->shading.ambient, gl->colour), copy4(gl->shading.diffuse, gl->colour);
  if (cap == GL_DEPTH_TEST) gl->depthTest = on;
  if (cap == GL_LIGHTING) gl->lighting = on;
  if (cap == GL_LINE_STIPPLE) gl->stipple.enabled = on;
  if (cap == GL_LIGHT0) s[1] = on;
  if (cap == GL_COLOR_MATERIAL) s[2] = on;
}

}  // namespace

GlState *createGlState(int window) {
  GlState *state = new GlState;
  state->window = window;
  return state;
}

void useGlState(GlState *state) {
  if (state != gl) flush();
  gl = state;
}

void setPixelScale(GlState *state, float x, float y) { state->scaleX = x, state->scaleY = y; }

void finishFrame() { flush(); }

void keepingNormal(const std::function<void()> &draw) {
  const std::array<float, 3> kept = {gl->normal[0], gl->normal[1], gl->normal[2]};
  draw();
  std::copy(kept.begin(), kept.end(), gl->normal);
}

}  // namespace glweb

using glweb::gl;

extern "C" {

void glMatrixMode(GLenum mode) { gl->projectionMode = mode == GL_PROJECTION; }

void glPushMatrix() {
  std::vector<glweb::Matrix> &s = glweb::stack();
  if (s.size() < (gl->projectionMode ? glweb::kProjectionDepth : glweb::kModelViewDepth))
    s.push_back(s.back());
}

void glPopMatrix() {
  if (glweb::stack().size() > 1) glweb::stack().pop_back();
}

void glLoadIdentity() { glweb::stack().back() = glweb::kIdentity; }
void glLoadMatrixf(const GLfloat *m) { std::copy(m, m + 16, glweb::stack().back().begin()); }
void glMultMatrixf(const GLfloat *m) { glweb::stack().back() = glweb::product(glweb::stack().back(), m); }

void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
  glweb::Matrix m = glweb::kIdentity;
  const double low[3] = {l, b, -n}, high[3] = {r, t, -f};  // eye space looks down -z
  for (int i = 0; i < 3; ++i) {
    m[5 * i] = static_cast<float>(2 / (high[i] - low[i]));
    m[12 + i] = static_cast<float>(-(high[i] + low[i]) / (high[i] - low[i]));
  }
  glweb::multiply(m);
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  glweb::multiply({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1});
}

// The rotation about the unit axis a: c I + (1 - c) a aᵀ + s [a]×.
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  const float length = std::sqrt(x * x + y * y + z * z);
  if (length == 0) return;
  const float a[3] = {x / length, y / length, z / length};
  const float radians = angle * 3.14159265358979f / 180, c = std::cos(radians), s = std::sin(radians);
  glweb::Matrix m = glweb::kIdentity;
  for (int i = 0; i < 9; ++i) m[4 * (i / 3) + i % 3] = (1 - c) * a[i % 3] * a[i / 3] + (i % 4 == 0 ? c : 0);
  m[1] += s * a[2], m[2] -= s * a[1], m[4] -= s * a[2], m[6] += s * a[0], m[8] += s * a[1], m[9] -= s * a[0];
  glweb::multiply(m);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  glweb::flush();
  gl->viewport[0] = x, gl->viewport[1] = y, gl->viewport[2] = width, gl->viewport[3] = height;
}

void glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  gl->clearColour[0] = red, gl->clearColour[1] = green, gl->clearColour[2] = blue, gl->clearColour[3] = alpha;
}

void glClear(GLbitfield mask) {
  glweb::flush();
  glweb::glutWebClear(gl->window, gl->clearColour,
                      static_cast<int>(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)));
}

void glEnable(GLenum cap) { glweb::setEnabled(cap, true); }
void glDisable(GLenum cap) { glweb::setEnabled(cap, false); }
void glLightfv(GLenum light, GLenum pname, const GLfloat *p) {
  if (light != GL_LIGHT0) return;
  glweb::flush();
  glweb::Shading &s = gl->shading;
  if (pname == GL_AMBIENT) glweb::copy4(s.lightAmbient, p);
  if (pname == GL_DIFFUSE) glweb::copy4(s.lightDiffuse, p);
  if (pname == GL_SPECULAR) glweb::copy4(s.lightSpecular, p);
  if (pname != GL_POSITION) return;
  // Into eye space by the model-view matrix as it is now.
  float eye[4];
  glweb::transform(gl->modelView.back(), p, eye);
  const float length = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
  for (int r = 0; length > 0 && r < 3; ++r) s.towardsLight[r] = eye[r] / length;
}

// One-sided lighting is all there is.
void glLightModeli(GLenum, GLint) {}

// One-sided lighting never uses the back's material.
void glMaterialfv(GLenum face, GLenum pname, const GLfloat *p) {
  if (face == GL_BACK) return;
  glweb::flush();
  glweb::Shading &s = gl->shading;
  if (pname == GL_AMBIENT || pname == GL_AMBIENT_AND_DIFFUSE) glweb::copy4(s.ambient, p);
  if (pname == GL_DIFFUSE || pname == GL_AMBIENT_AND_DIFFUSE) glweb::copy4(s.diffuse, p);
  if (pname == GL_SPECULAR) glweb::copy4(s.specular, p);
  if (pname == GL_SHININESS) s.switches[3] = p[0];
}

void glMaterialf(GLenum face, GLenum pname, GLfloat param) { glMaterialfv(face, pname, &param); }

void glBegin(GLenum mode) { gl->inBegin = true, gl->primitive = mode; }

void glEnd() {
  if (gl->inBegin) glweb::assemble(gl->primitive);
  gl->inBegin = false;
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (gl->inBegin) glweb::addVertex(x, y, z, gl->normal);
}
void glVertex2i(GLint x, GLint y) { glVertex3f(static_cast<float>(x), static_cast<float>(y), 0); }
void glVertex3fv(const GLfloat *v) { glVertex3f(v[0], v[1], v[2]); }
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) { gl->normal[0] = x, gl->normal[1] = y, gl->normal[2] = z; }
void glNormal3fv(const GLfloat *v) { glNormal3f(v[0], v[1], v[2]); }
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
  gl->colour[0] = r, gl->colour[1] = g, gl->colour[2] = b, gl->colour[3] = a;
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { glColor4f(r, g, b, 1); }
void glColor3ub(GLubyte r, GLubyte g, GLubyte b) { glColor4f(r / 255.0f, g / 255.0f, b / 255.0f, 1); }
// Signed components map -128..127 onto -1..1 as (2c + 1) / 255.
void glColor3b(GLbyte r, GLbyte g, GLbyte b) {
  glColor4f((2 * r + 1) / 255.0f, (2 * g + 1) / 255.0f, (2 * b + 1) / 255.0f, 1);
}

void glRectf(GLfloat x1, GLfloat y1, GLfloat x2, GLfloat y2) {
  glBegin(GL_POLYGON);
  glVertex3f(x1, y1, 0), glVertex3f(x2, y1, 0), glVertex3f(x2, y2, 0), glVertex3f(x1, y2, 0);
  glEnd();
}

void glLineStipple(GLint factor, GLushort pattern) {
  gl->stipple.factor = std::min(std::max(factor, 1), 256);
  gl->stipple.pattern = pattern;
}

// The raster position is a vertex: outside the clip volume it is invalid,
// and bitmaps draw nothing until the next one.
void glRasterPos2i(GLint x, GLint y) {
  glweb::addVertex(static_cast<float>(x), static_cast<float>(y), 0, gl->normal);
  glweb::transformVertices();
  const glweb::Vertex &v = gl->vertices[0];
  gl->rasterValid = true;
  for (int i = 0; i < 3; ++i) gl->rasterValid = gl->rasterValid && std::fabs(v.position[i]) <= v.position[3];
  const auto w = glweb::toWindow(v);
  std::copy(w.begin(), w.end(), gl->raster);
  glweb::copy4(gl->rasterColour, gl->colour);
  gl->vertices.clear();
}

void glBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove, GLfloat ymove,
              const GLubyte *bitmap) {
  if (!gl->rasterValid) return;
  glweb::bitmapPixels(static_cast<int>(std::floor(gl->raster[0] - xorig)),
                      static_cast<int>(std::floor(gl->raster[1] - yorig)), width, height, bitmap, gl->runs);
  glweb::drawRuns(gl->raster[2], gl->rasterColour);
  gl->raster[0] += xmove, gl->raster[1] += ymove;
}

}  // extern "C"
