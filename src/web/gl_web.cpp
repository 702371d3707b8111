// The OpenGL 1.x half of the browser layer: each window's fixed-function
// state; vertices transformed here and batched for WebGL, which lights them
// by OpenGL's equations and rasterises them; and the window-space overlay,
// turned into whole pixels by GL's rules (pixels.h).

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <vector>

#include "glut_web.h"
#include "pixels.h"

namespace glweb {
namespace {

using Matrix = std::array<float, 16>;  // column-major: row r, column c at 4c + r
constexpr Matrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
constexpr std::size_t kModelViewDepth = 32, kProjectionDepth = 4;  // GL's least: 32 and 2
constexpr float kSceneAmbient = 0.2f;  // GL_LIGHT_MODEL_AMBIENT's start value, never changed here
constexpr int kUniformFloats = 36;

// A vertex as the program gives it, and then as WebGL takes it: clip
// coordinates, the normal in eye space.
struct Vertex {
  float position[4], normal[3], colour[4];
};

struct ArraySource {
  bool enabled = false;
  const unsigned char *data = nullptr;
  int size = 3, stride = 0;  // the stride in bytes, never 0
};

}  // namespace

struct GlState {
  int window;
  float scaleX = 1, scaleY = 1;  // device pixels per window pixel
  std::vector<Matrix> modelView{kIdentity}, projection{kIdentity};
  bool projectionMode = false;
  int viewport[4] = {0, 0, 0, 0};
  float clearColour[4] = {0, 0, 0, 0};
  bool depthTest = false, lighting = false, light0 = false, colourMaterial = false, normalize = false;

  float colour[4] = {1, 1, 1, 1};
  float normal[3] = {0, 0, 1};
  float lightAmbient[4] = {0, 0, 0, 1}, lightDiffuse[4] = {1, 1, 1, 1}, lightSpecular[4] = {1, 1, 1, 1};
  float lightDirection[3] = {0, 0, 1};  // towards the light, in eye space, of unit length
  float ambient[4] = {0.2f, 0.2f, 0.2f, 1}, diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
  float specular[4] = {0, 0, 0, 1}, emission[4] = {0, 0, 0, 1};
  float shininess = 0;

  Stipple stipple;
  float raster[3] = {0, 0, 0};  // window coordinates, and z in clip space
  float rasterColour[4] = {1, 1, 1, 1};
  bool rasterValid = true;

  GLenum primitive = GL_POINTS;
  bool inBegin = false;
  std::vector<Vertex> vertices;
  ArraySource vertexArray, normalArray;

  // What WebGL draws next, in one call: primitives of one kind, lit or not.
  // Kept from frame to frame, so that drawing allocates nothing once warm.
  std::vector<Vertex> batch;
  GLenum batchMode = GL_TRIANGLES;
  bool batchLit = false;
  std::vector<PixelRun> runs;
};

namespace {

GlState *gl = nullptr;

template <std::size_t N>
void copy(float (&to)[N], const float *from) {
  for (std::size_t i = 0; i < N; ++i) to[i] = from[i];
}

std::vector<Matrix> &stack() { return gl->projectionMode ? gl->projection : gl->modelView; }

Matrix product(const Matrix &a, const float *b) {
  Matrix p{};
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      for (int k = 0; k < 4; ++k) p[4 * c + r] += a[4 * k + r] * b[4 * c + k];
    }
  }
  return p;
}

void multiply(const Matrix &m) { stack().back() = product(stack().back(), m.data()); }

void deviceViewport(int *d) {
  d[0] = std::lround(gl->viewport[0] * gl->scaleX);
  d[1] = std::lround(gl->viewport[1] * gl->scaleY);
  d[2] = std::lround((gl->viewport[0] + gl->viewport[2]) * gl->scaleX) - d[0];
  d[3] = std::lround((gl->viewport[1] + gl->viewport[3]) * gl->scaleY) - d[1];
}

// The shader's inputs (see glut_web.js) for the state the batch was made
// in: whatever changes that state sends the batch first. Light 0's terms
// are folded into the material's here, where they are constant.
void uniforms(float *u) {
  const float on = gl->light0 ? 1.0f : 0.0f;
  float half[3] = {gl->lightDirection[0], gl->lightDirection[1], gl->lightDirection[2] + 1};
  const float length = std::sqrt(half[0] * half[0] + half[1] * half[1] + half[2] * half[2]);
  const float values[9][4] = {
      {gl->batchLit ? 1.0f : 0.0f, gl->colourMaterial ? 1.0f : 0.0f, gl->normalize ? 1.0f : 0.0f, gl->shininess},
      {gl->lightDirection[0], gl->lightDirection[1], gl->lightDirection[2], 0},
      {half[0] / length, half[1] / length, half[2] / length, 0},
      {kSceneAmbient + on * gl->lightAmbient[0], kSceneAmbient + on * gl->lightAmbient[1],
       kSceneAmbient + on * gl->lightAmbient[2], 0},
      {on * gl->lightDiffuse[0], on * gl->lightDiffuse[1], on * gl->lightDiffuse[2], 0},
      {on * gl->specular[0] * gl->lightSpecular[0], on * gl->specular[1] * gl->lightSpecular[1],
       on * gl->specular[2] * gl->lightSpecular[2], 0},
      {gl->emission[0], gl->emission[1], gl->emission[2], 0},
      {gl->ambient[0], gl->ambient[1], gl->ambient[2], gl->ambient[3]},
      {gl->diffuse[0], gl->diffuse[1], gl->diffuse[2], gl->diffuse[3]},
  };
  for (int i = 0; i < kUniformFloats; ++i) u[i] = values[i / 4][i % 4];
}

void flush() {
  if (gl == nullptr || gl->batch.empty()) return;
  float u[kUniformFloats];
  uniforms(u);
  int viewport[4];
  deviceViewport(viewport);
  glutWebDraw(gl->window, gl->batchMode, gl->batch[0].position, static_cast<int>(gl->batch.size()), u, viewport,
              gl->depthTest);
  gl->batch.clear();
}

void emit(GLenum mode, bool lit, const Vertex &v) {
  if (mode != gl->batchMode || lit != gl->batchLit) {
    flush();
    gl->batchMode = mode;
    gl->batchLit = lit;
  }
  gl->batch.push_back(v);
}

// Window coordinates of a transformed vertex, and its depth in clip space.
std::array<float, 3> toWindow(const float *clip) {
  return {(clip[0] / clip[3] + 1) * 0.5f * gl->viewport[2] + gl->viewport[0],
          (clip[1] / clip[3] + 1) * 0.5f * gl->viewport[3] + gl->viewport[1], clip[2] / clip[3]};
}

// Unlit and drawn straight into window space, as a panel is: the primitive
// may then be drawn as GL's whole pixels.
bool overlay(const Vertex *v, int n) {
  for (int i = 0; i < n; ++i) {
    if (gl->lighting || std::fabs(v[i].position[3] - 1) > 1e-6f) return false;
  }
  return true;
}

// The pixel runs made so far as rectangles on device pixel edges, one
// colour, at one depth.
void drawRuns(float z, const float *colour) {
  int d[4];
  deviceViewport(d);
  const auto clipX = [&](int x) { return 2.0f * (std::lround(x * gl->scaleX) - d[0]) / d[2] - 1; };
  const auto clipY = [&](int y) { return 2.0f * (std::lround(y * gl->scaleY) - d[1]) / d[3] - 1; };
  for (const PixelRun &p : gl->runs) {
    const float x0 = clipX(p.x0), x1 = clipX(p.x1), y0 = clipY(p.y0), y1 = clipY(p.y1);
    const float corners[6][2] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y0}, {x1, y1}, {x0, y1}};
    for (const auto &c : corners) {
      emit(GL_TRIANGLES, false, {{c[0], c[1], z, 1}, {0, 0, 1}, {colour[0], colour[1], colour[2], colour[3]}});
    }
  }
  gl->runs.clear();
}

void point(const Vertex &v) {
  if (!overlay(&v, 1)) return emit(GL_POINTS, gl->lighting, v);
  const auto w = toWindow(v.position);
  gl->runs.push_back(pointPixel(w[0], w[1]));
  drawRuns(w[2], v.colour);
}

void segment(const Vertex &a, const Vertex &b) {
  const Vertex ends[2] = {a, b};
  const auto p = toWindow(a.position), q = toWindow(b.position);
  if (overlay(ends, 2) && (std::fabs(p[0] - q[0]) < 1e-3f || std::fabs(p[1] - q[1]) < 1e-3f)) {
    segmentPixels(p[0], p[1], q[0], q[1], gl->stipple, gl->runs);
    return drawRuns(p[2], a.colour);
  }
  emit(GL_LINES, gl->lighting, a);
  emit(GL_LINES, gl->lighting, b);
}

void triangle(const Vertex &a, const Vertex &b, const Vertex &c) {
  for (const Vertex *v : {&a, &b, &c}) emit(GL_TRIANGLES, gl->lighting, *v);
}

// A polygon; one that is a rectangle on the window's axes, as glRectf
// gives, is whole pixels.
void polygon(const Vertex *v, int n) {
  bool rectangle = n == 4 && overlay(v, 4);
  for (int i = 0; rectangle && i < 4; ++i) {
    const auto p = toWindow(v[i].position), q = toWindow(v[(i + 1) % 4].position);
    rectangle = std::fabs(p[0] - q[0]) < 1e-3f || std::fabs(p[1] - q[1]) < 1e-3f;
  }
  if (rectangle) {
    const auto p = toWindow(v[0].position), q = toWindow(v[2].position);
    gl->runs.push_back(rectanglePixels(p[0], p[1], q[0], q[1]));
    return drawRuns(p[2], v[0].colour);
  }
  for (int i = 1; i + 1 < n; ++i) triangle(v[0], v[i], v[i + 1]);
}

// From object coordinates to clip coordinates, and normals to eye space by
// the inverse transpose of the model-view matrix: with columns a, b, c of
// its upper 3 x 3, that takes n to (n.x b×c + n.y c×a + n.z a×b) / det.
void transformVertices() {
  const Matrix &m = gl->modelView.back();
  const Matrix mvp = product(gl->projection.back(), m.data());
  const auto cross = [&](int i, int j, int k) { return m[4 * i + (k + 1) % 3] * m[4 * j + (k + 2) % 3] - m[4 * i + (k + 2) % 3] * m[4 * j + (k + 1) % 3]; };
  float columns[3][3];
  for (int k = 0; k < 3; ++k) {
    columns[0][k] = cross(1, 2, k);
    columns[1][k] = cross(2, 0, k);
    columns[2][k] = cross(0, 1, k);
  }
  const float det = m[0] * columns[0][0] + m[1] * columns[0][1] + m[2] * columns[0][2];
  for (Vertex &v : gl->vertices) {
    float p[4], n[3];
    for (int r = 0; r < 4; ++r) {
      p[r] = mvp[r] * v.position[0] + mvp[4 + r] * v.position[1] + mvp[8 + r] * v.position[2] + mvp[12 + r] * v.position[3];
    }
    for (int k = 0; k < 3; ++k) {
      n[k] = det == 0 ? v.normal[k] : (columns[0][k] * v.normal[0] + columns[1][k] * v.normal[1] + columns[2][k] * v.normal[2]) / det;
    }
    copy(v.position, p);
    copy(v.normal, n);
  }
}

void assemble(GLenum mode) {
  transformVertices();
  const Vertex *v = gl->vertices.data();
  const int n = static_cast<int>(gl->vertices.size());
  gl->stipple.counter = 0;
  switch (mode) {
    case GL_POINTS:
      for (int i = 0; i < n; ++i) point(v[i]);
      break;
    case GL_LINES:
      for (int i = 0; i + 1 < n; i += 2, gl->stipple.counter = 0) segment(v[i], v[i + 1]);
      break;
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
      for (int i = 0; i + 1 < n; ++i) segment(v[i], v[i + 1]);
      if (mode == GL_LINE_LOOP && n > 1) segment(v[n - 1], v[0]);
      break;
    case GL_TRIANGLES:
      for (int i = 0; i + 2 < n; i += 3) triangle(v[i], v[i + 1], v[i + 2]);
      break;
    case GL_TRIANGLE_STRIP:
      for (int i = 0; i + 2 < n; ++i) triangle(v[i], v[i + 1], v[i + 2]);
      break;
    case GL_QUADS:
      for (int i = 0; i + 3 < n; i += 4) polygon(v + i, 4);
      break;
    case GL_QUAD_STRIP:
      for (int i = 0; i + 3 < n; i += 2) {
        const Vertex quad[4] = {v[i], v[i + 1], v[i + 3], v[i + 2]};
        polygon(quad, 4);
      }
      break;
    case GL_TRIANGLE_FAN:
    case GL_POLYGON:
      polygon(v, n);
      break;
  }
  gl->vertices.clear();
}

void addVertex(float x, float y, float z) {
  if (!gl->inBegin) return;
  Vertex v = {{x, y, z, 1}, {gl->normal[0], gl->normal[1], gl->normal[2]}, {}};
  copy(v.colour, gl->colour);
  gl->vertices.push_back(v);
}

// The index-th vertex of the enabled arrays. The current normal stays as it
// was, whatever the normal array held.
void fetch(int index) {
  const float *p = reinterpret_cast<const float *>(gl->vertexArray.data + index * gl->vertexArray.stride);
  const int size = gl->vertexArray.size;
  Vertex v = {{p[0], p[1], size > 2 ? p[2] : 0, size > 3 ? p[3] : 1}, {}, {}};
  copy(v.normal, gl->normalArray.enabled
                     ? reinterpret_cast<const float *>(gl->normalArray.data + index * gl->normalArray.stride)
                     : gl->normal);
  copy(v.colour, gl->colour);
  gl->vertices.push_back(v);
}

ArraySource *arraySource(GLenum array) {
  return array == GL_VERTEX_ARRAY ? &gl->vertexArray : array == GL_NORMAL_ARRAY ? &gl->normalArray : nullptr;
}

bool *capability(GLenum cap) {
  switch (cap) {
    case GL_DEPTH_TEST: return &gl->depthTest;
    case GL_LIGHTING: return &gl->lighting;
    case GL_LIGHT0: return &gl->light0;
    case GL_COLOR_MATERIAL: return &gl->colourMaterial;
    case GL_NORMALIZE: return &gl->normalize;
    case GL_LINE_STIPPLE: return &gl->stipple.enabled;
    default: return nullptr;
  }
}

void setEnabled(GLenum cap, bool on) {
  flush();
  // The material keeps the colour it tracked last.
  if (cap == GL_COLOR_MATERIAL && gl->colourMaterial && !on) {
    copy(gl->ambient, gl->colour);
    copy(gl->diffuse, gl->colour);
  }
  if (bool *flag = capability(cap)) *flag = on;
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

void setPixelScale(GlState *state, float x, float y) {
  state->scaleX = x;
  state->scaleY = y;
}

void finishFrame() { flush(); }

}  // namespace glweb

using glweb::gl;

extern "C" {

void glMatrixMode(GLenum mode) { gl->projectionMode = mode == GL_PROJECTION; }

void glPushMatrix() {
  std::vector<glweb::Matrix> &s = glweb::stack();
  if (s.size() < (gl->projectionMode ? glweb::kProjectionDepth : glweb::kModelViewDepth)) s.push_back(s.back());
}

void glPopMatrix() {
  if (glweb::stack().size() > 1) glweb::stack().pop_back();
}

void glLoadIdentity() { glweb::stack().back() = glweb::kIdentity; }

void glLoadMatrixf(const GLfloat *m) { std::copy(m, m + 16, glweb::stack().back().begin()); }

void glMultMatrixf(const GLfloat *m) { glweb::stack().back() = glweb::product(glweb::stack().back(), m); }

void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
  glweb::multiply({static_cast<float>(2 / (r - l)), 0, 0, 0, 0, static_cast<float>(2 / (t - b)), 0, 0, 0, 0,
                   static_cast<float>(-2 / (f - n)), 0, static_cast<float>(-(r + l) / (r - l)),
                   static_cast<float>(-(t + b) / (t - b)), static_cast<float>(-(f + n) / (f - n)), 1});
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { glweb::multiply({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}); }

// The rotation about the unit axis (x, y, z): c I + (1 - c) a aᵀ + s [a]×.
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  const float length = std::sqrt(x * x + y * y + z * z);
  if (length == 0) return;
  const float a[3] = {x / length, y / length, z / length};
  const float radians = angle * 3.14159265358979f / 180, c = std::cos(radians), s = std::sin(radians);
  glweb::Matrix m = glweb::kIdentity;
  for (int col = 0; col < 3; ++col) {
    for (int row = 0; row < 3; ++row) m[4 * col + row] = (1 - c) * a[row] * a[col] + (row == col ? c : 0);
  }
  m[1] += s * a[2], m[2] -= s * a[1], m[4] -= s * a[2], m[6] += s * a[0], m[8] += s * a[1], m[9] -= s * a[0];
  glweb::multiply(m);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  glweb::flush();
  const int v[4] = {x, y, width, height};
  std::copy(v, v + 4, gl->viewport);
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
  const float c[4] = {red, green, blue, alpha};
  glweb::copy(gl->clearColour, c);
}

void glClear(GLbitfield mask) {
  glweb::flush();
  glweb::glutWebClear(gl->window, gl->clearColour, static_cast<int>(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)));
}

void glEnable(GLenum cap) { glweb::setEnabled(cap, true); }

void glDisable(GLenum cap) { glweb::setEnabled(cap, false); }

void glGetFloatv(GLenum pname, GLfloat *params) {
  if (pname == GL_CURRENT_COLOR) std::copy(gl->colour, gl->colour + 4, params);
  if (pname == GL_MODELVIEW_MATRIX) std::copy(gl->modelView.back().begin(), gl->modelView.back().end(), params);
  if (pname == GL_PROJECTION_MATRIX) std::copy(gl->projection.back().begin(), gl->projection.back().end(), params);
}

void glLightfv(GLenum light, GLenum pname, const GLfloat *params) {
  if (light != GL_LIGHT0) return;
  glweb::flush();
  if (pname == GL_AMBIENT) glweb::copy(gl->lightAmbient, params);
  if (pname == GL_DIFFUSE) glweb::copy(gl->lightDiffuse, params);
  if (pname == GL_SPECULAR) glweb::copy(gl->lightSpecular, params);
  if (pname == GL_POSITION) {
    // Into eye space by the model-view matrix as it is now.
    const glweb::Matrix &m = gl->modelView.back();
    float eye[3];
    for (int r = 0; r < 3; ++r) eye[r] = m[r] * params[0] + m[4 + r] * params[1] + m[8 + r] * params[2] + m[12 + r] * params[3];
    const float length = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    for (int r = 0; length > 0 && r < 3; ++r) gl->lightDirection[r] = eye[r] / length;
  }
}

// One-sided lighting is all there is.
void glLightModeli(GLenum, GLint) {}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat *params) {
  // With one-sided lighting, the back's material is never used.
  if (face == GL_BACK) return;
  glweb::flush();
  if (pname == GL_AMBIENT || pname == GL_AMBIENT_AND_DIFFUSE) glweb::copy(gl->ambient, params);
  if (pname == GL_DIFFUSE || pname == GL_AMBIENT_AND_DIFFUSE) glweb::copy(gl->diffuse, params);
  if (pname == GL_SPECULAR) glweb::copy(gl->specular, params);
  if (pname == GL_EMISSION) glweb::copy(gl->emission, params);
  if (pname == GL_SHININESS) gl->shininess = params[0];
}

void glMaterialf(GLenum face, GLenum pname, GLfloat param) { glMaterialfv(face, pname, &param); }

void glBegin(GLenum mode) {
  gl->inBegin = true;
  gl->primitive = mode;
  gl->vertices.clear();
}

void glEnd() {
  if (!gl->inBegin) return;
  gl->inBegin = false;
  glweb::assemble(gl->primitive);
}

void glVertex2i(GLint x, GLint y) { glweb::addVertex(static_cast<float>(x), static_cast<float>(y), 0); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { glweb::addVertex(x, y, z); }
void glVertex3fv(const GLfloat *v) { glweb::addVertex(v[0], v[1], v[2]); }

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  const float n[3] = {x, y, z};
  glweb::copy(gl->normal, n);
}
void glNormal3fv(const GLfloat *v) { glweb::copy(gl->normal, v); }

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  const float c[4] = {red, green, blue, alpha};
  glweb::copy(gl->colour, c);
}
void glColor4fv(const GLfloat *v) { glColor4f(v[0], v[1], v[2], v[3]); }
void glColor3f(GLfloat red, GLfloat green, GLfloat blue) { glColor4f(red, green, blue, 1); }
void glColor3ub(GLubyte red, GLubyte green, GLubyte blue) { glColor4f(red / 255.0f, green / 255.0f, blue / 255.0f, 1); }
// Signed components map -128..127 onto -1..1 as (2c + 1) / 255.
void glColor3b(GLbyte red, GLbyte green, GLbyte blue) {
  glColor4f((2 * red + 1) / 255.0f, (2 * green + 1) / 255.0f, (2 * blue + 1) / 255.0f, 1);
}

void glRectf(GLfloat x1, GLfloat y1, GLfloat x2, GLfloat y2) {
  glBegin(GL_POLYGON);
  glweb::addVertex(x1, y1, 0);
  glweb::addVertex(x2, y1, 0);
  glweb::addVertex(x2, y2, 0);
  glweb::addVertex(x1, y2, 0);
  glEnd();
}

void glLineStipple(GLint factor, GLushort pattern) {
  gl->stipple.factor = factor < 1 ? 1 : factor > 256 ? 256 : factor;
  gl->stipple.pattern = pattern;
}

void glEnableClientState(GLenum array) {
  if (glweb::ArraySource *a = glweb::arraySource(array)) a->enabled = true;
}

void glDisableClientState(GLenum array) {
  if (glweb::ArraySource *a = glweb::arraySource(array)) a->enabled = false;
}

void glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid *pointer) {
  if (type != GL_FLOAT || size < 2 || size > 4) return;
  gl->vertexArray.data = static_cast<const unsigned char *>(pointer);
  gl->vertexArray.size = size;
  gl->vertexArray.stride = stride != 0 ? stride : size * static_cast<int>(sizeof(float));
}

void glNormalPointer(GLenum type, GLsizei stride, const GLvoid *pointer) {
  if (type != GL_FLOAT) return;
  gl->normalArray.data = static_cast<const unsigned char *>(pointer);
  gl->normalArray.stride = stride != 0 ? stride : 3 * static_cast<int>(sizeof(float));
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  if (!gl->vertexArray.enabled || gl->inBegin) return;
  gl->vertices.clear();
  for (int i = first; i < first + count; ++i) glweb::fetch(i);
  glweb::assemble(mode);
}

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid *indices) {
  if (!gl->vertexArray.enabled || gl->inBegin) return;
  gl->vertices.clear();
  for (int i = 0; i < count; ++i) {
    glweb::fetch(type == GL_UNSIGNED_BYTE    ? static_cast<const GLubyte *>(indices)[i]
                 : type == GL_UNSIGNED_SHORT ? static_cast<const GLushort *>(indices)[i]
                                             : static_cast<int>(static_cast<const GLuint *>(indices)[i]));
  }
  glweb::assemble(mode);
}

// The raster position is a vertex: outside the clip volume it is invalid,
// and bitmaps draw nothing until the next one.
void glRasterPos2i(GLint x, GLint y) {
  gl->vertices.assign(1, {{static_cast<float>(x), static_cast<float>(y), 0, 1}, {0, 0, 1}, {}});
  glweb::transformVertices();
  const float *clip = gl->vertices[0].position;
  gl->rasterValid = true;
  for (int i = 0; i < 3; ++i) gl->rasterValid = gl->rasterValid && std::fabs(clip[i]) <= clip[3];
  const auto w = glweb::toWindow(clip);
  std::copy(w.begin(), w.end(), gl->raster);
  glweb::copy(gl->rasterColour, gl->colour);
  gl->vertices.clear();
}

void glBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove, GLfloat ymove,
              const GLubyte *bitmap) {
  if (!gl->rasterValid) return;
  glweb::bitmapPixels(static_cast<int>(std::floor(gl->raster[0] - xorig)), static_cast<int>(std::floor(gl->raster[1] - yorig)),
                      width, height, bitmap, gl->runs);
  glweb::drawRuns(gl->raster[2], gl->rasterColour);
  gl->raster[0] += xmove;
  gl->raster[1] += ymove;
}

}  // extern "C"
