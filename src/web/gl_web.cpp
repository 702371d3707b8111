// The OpenGL 1.x half of the layer: the fixed-function state of each window,
// immediate mode turned into WebGL draws, and the lighting shader.

#include <emscripten/html5.h>
#include <webgl/webgl1.h>

#include <array>
#include <cmath>
#include <vector>

#include "glut_web.h"
#include "raster.h"

namespace glweb {
namespace {

using Matrix = std::array<float, 16>;

constexpr Matrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
constexpr std::size_t kModelViewDepth = 32;
constexpr std::size_t kProjectionDepth = 4;
// What WebGL draws: a point of a primitive, shaded from up to three lit
// sources, weight[0] of the first, weight[1] of the second and the rest of
// the third. A vertex of the program's is its own only source; a pixel of a
// line is shaded between the line's ends, a span of a triangle between its
// corners.
struct Vertex {
  float position[4];
  float normal[3][3];
  float colour[3][4];
  float weight[2];
};
constexpr int kFloatsPerVertex = sizeof(Vertex) / sizeof(float);

Vertex vertex(const float *position, const float *normal, const float *colour) {
  Vertex v;
  for (int i = 0; i < 4; ++i) v.position[i] = position[i];
  for (int k = 0; k < 3; ++k) {
    for (int i = 0; i < 3; ++i) v.normal[k][i] = normal[i];
    for (int i = 0; i < 4; ++i) v.colour[k][i] = colour[i];
  }
  v.weight[0] = 1;
  v.weight[1] = 0;
  return v;
}

// One vertex shader for everything: OpenGL 1.x's lighting equation for one
// light at infinity and a viewer at infinity, evaluated per vertex.
const char *const kVertexShader = R"(
attribute vec4 position;
attribute vec3 normal0;
attribute vec3 normal1;
attribute vec3 normal2;
attribute vec4 colour0;
attribute vec4 colour1;
attribute vec4 colour2;
attribute vec2 weight;
uniform mat3 normalMatrix;
uniform bool lighting;
uniform bool light0;
uniform bool colourMaterial;
uniform bool normalizeNormal;
uniform vec3 lightDirection;
uniform vec3 halfVector;
uniform vec3 sceneAmbient;
uniform vec3 lightAmbient;
uniform vec3 lightDiffuse;
uniform vec3 lightSpecular;
uniform vec4 materialAmbient;
uniform vec4 materialDiffuse;
uniform vec3 materialSpecular;
uniform vec3 materialEmission;
uniform float shininess;
varying vec4 shade;
vec4 lit(vec3 normal, vec4 colour) {
  vec4 ambient = colourMaterial ? colour : materialAmbient;
  vec4 diffuse = colourMaterial ? colour : materialDiffuse;
  vec3 c = materialEmission + ambient.rgb * sceneAmbient;
  if (light0) {
    vec3 n = normalMatrix * normal;
    if (normalizeNormal) n = normalize(n);
    c += ambient.rgb * lightAmbient;
    float nl = dot(n, lightDirection);
    if (nl > 0.0) {
      float nh = max(dot(n, halfVector), 0.0);
      float glossy = shininess == 0.0 ? 1.0 : (nh > 0.0 ? pow(nh, shininess) : 0.0);
      c += nl * diffuse.rgb * lightDiffuse + glossy * materialSpecular * lightSpecular;
    }
  }
  return vec4(clamp(c, 0.0, 1.0), diffuse.a);
}
void main() {
  gl_Position = position;
  gl_PointSize = 1.0;
  float rest = 1.0 - weight.x - weight.y;
  if (lighting) {
    shade = weight.x * lit(normal0, colour0) + weight.y * lit(normal1, colour1) + rest * lit(normal2, colour2);
  } else {
    shade = weight.x * colour0 + weight.y * colour1 + rest * colour2;
  }
}
)";

const char *const kFragmentShader = R"(
precision mediump float;
varying vec4 shade;
void main() { gl_FragColor = shade; }
)";

enum Uniform {
  kNormalMatrix,
  kLighting,
  kLight0,
  kColourMaterial,
  kNormalizeNormal,
  kLightDirection,
  kHalfVector,
  kSceneAmbient,
  kLightAmbient,
  kLightDiffuse,
  kLightSpecular,
  kMaterialAmbient,
  kMaterialDiffuse,
  kMaterialSpecular,
  kMaterialEmission,
  kShininess,
  kUniformCount
};
const char *const kUniformNames[kUniformCount] = {
    "normalMatrix",    "lighting",        "light0",           "colourMaterial",
    "normalizeNormal",     "lightDirection",  "halfVector",      "sceneAmbient",     "lightAmbient",
    "lightDiffuse",        "lightSpecular",   "materialAmbient", "materialDiffuse",  "materialSpecular",
    "materialEmission",    "shininess"};

}  // namespace

struct GlState {
  std::vector<Matrix> modelView{kIdentity};
  std::vector<Matrix> projection{kIdentity};
  GLenum matrixMode = GL_MODELVIEW;
  int viewport[4] = {0, 0, 0, 0};

  bool lighting = false, light0 = false, colourMaterial = false, normalize = false, lineStipple = false;
  float colour[4] = {1, 1, 1, 1};
  float normal[3] = {0, 0, 1};
  float lightAmbient[4] = {0, 0, 0, 1};
  float lightDiffuse[4] = {1, 1, 1, 1};
  float lightSpecular[4] = {1, 1, 1, 1};
  float lightPosition[4] = {0, 0, 1, 0};  // in eye space
  float materialAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
  float materialDiffuse[4] = {0.8f, 0.8f, 0.8f, 1};
  float materialSpecular[4] = {0, 0, 0, 1};
  float materialEmission[4] = {0, 0, 0, 1};
  float shininess = 0;

  int stippleFactor = 1;
  unsigned stipplePattern = 0xffff;
  int stippleCounter = 0;

  float rasterPosition[3] = {0, 0, 0};  // window coordinates
  float rasterColour[4] = {1, 1, 1, 1};
  bool rasterValid = true;

  bool inBegin = false;
  GLenum primitive = GL_POINTS;
  std::vector<Vertex> vertices;

  struct Array {
    bool enabled = false;
    const char *data = nullptr;
    GLsizei stride = 0;  // in bytes, never 0: a tightly packed array's own
  } vertexArray, normalArray;

  GLuint program = 0;
  GLuint buffer = 0;
  GLint uniforms[kUniformCount] = {};
  // Kept from draw to draw, so that frames reuse their memory.
  std::vector<Vertex> scratch;
  std::vector<LineFragment> fragments;
  std::vector<Span> spans;
};

namespace {

GlState *current = nullptr;

Matrix &top() { return current->matrixMode == GL_PROJECTION ? current->projection.back() : current->modelView.back(); }

std::vector<Matrix> &stack() {
  return current->matrixMode == GL_PROJECTION ? current->projection : current->modelView;
}

// Mesa's matmul4: product = a b, entry by entry in this order, in float.
Matrix multiply(const Matrix &a, const float *b) {
  Matrix p;
  for (int i = 0; i < 4; ++i) {
    const float ai0 = a[i], ai1 = a[4 + i], ai2 = a[8 + i], ai3 = a[12 + i];
    for (int j = 0; j < 4; ++j) {
      p[4 * j + i] = ai0 * b[4 * j] + ai1 * b[4 * j + 1] + ai2 * b[4 * j + 2] + ai3 * b[4 * j + 3];
    }
  }
  return p;
}

void multiplyTop(const float *m) { top() = multiply(top(), m); }

Matrix modelViewProjection() { return multiply(current->projection.back(), current->modelView.back().data()); }

// The transpose of the inverse of the model-view matrix's upper 3 x 3,
// column-major: what a normal is taken through.
std::array<float, 9> normalMatrix() {
  const Matrix &m = current->modelView.back();
  const float a = m[0], b = m[4], c = m[8], d = m[1], e = m[5], f = m[9], g = m[2], h = m[6], k = m[10];
  const float cofactors[9] = {e * k - f * h, f * g - d * k, d * h - e * g,  // row 0 of the cofactor matrix
                              c * h - b * k, a * k - c * g, b * g - a * h,  // row 1
                              b * f - c * e, c * d - a * f, a * e - b * d};  // row 2
  const float det = a * cofactors[0] + b * cofactors[1] + c * cofactors[2];
  const float inv = det != 0 ? 1 / det : 0;
  // inverse = transpose(cofactors) / det, so its transpose is cofactors / det;
  // stored column-major.
  std::array<float, 9> n;
  for (int r = 0; r < 3; ++r) {
    for (int col = 0; col < 3; ++col) n[3 * col + r] = cofactors[3 * r + col] * inv;
  }
  return n;
}

// A vertex in clip coordinates, as Mesa's fixed-function vertex program
// computes it: the combined matrix, column by column, in float.
std::array<float, 4> toClip(const float *v, const Matrix &mvp) {
  std::array<float, 4> clip;
  for (int r = 0; r < 4; ++r) clip[r] = v[0] * mvp[r] + v[1] * mvp[4 + r] + v[2] * mvp[8 + r] + v[3] * mvp[12 + r];
  return clip;
}

// The canvas's height in pixels.
int windowHeight() {
  int width = 0, height = 0;
  emscripten_webgl_get_drawing_buffer_size(emscripten_webgl_get_current_context(), &width, &height);
  return height;
}

// The viewport as Mesa's state tracker hands it to llvmpipe, for a window
// whose rows it counts from the top.
Viewport llvmpipeViewport(int height) {
  const int *vp = current->viewport;
  const float halfW = 0.5f * vp[2], halfH = 0.5f * vp[3];
  return {{halfW, -halfH, 0.5f}, {halfW + vp[0], height - (halfH + vp[1]), 0.5f}, height};
}

void normalize3(float *v) {
  const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (length > 0) {
    const float inv = 1.0f / length;
    for (int i = 0; i < 3; ++i) v[i] *= inv;
  }
}

GLuint compile(GLenum type, const char *source) {
  const GLuint shader = emscripten_glCreateShader(type);
  emscripten_glShaderSource(shader, 1, &source, nullptr);
  emscripten_glCompileShader(shader);
  return shader;
}

void setUniforms(bool lightable) {
  GlState &s = *current;
  const GLint *u = s.uniforms;
  const bool lit = s.lighting && lightable;
  emscripten_glUniform1i(u[kLighting], lit);
  if (!lit) return;
  const std::array<float, 9> n = normalMatrix();
  emscripten_glUniformMatrix3fv(u[kNormalMatrix], 1, GL_FALSE, n.data());
  emscripten_glUniform1i(u[kLight0], s.light0);
  emscripten_glUniform1i(u[kColourMaterial], s.colourMaterial);
  emscripten_glUniform1i(u[kNormalizeNormal], s.normalize);
  // Light 0 at infinity: its direction, and the half-way vector to a viewer
  // at infinity, both unit length.
  float direction[3] = {s.lightPosition[0], s.lightPosition[1], s.lightPosition[2]};
  normalize3(direction);
  float half[3] = {direction[0], direction[1], direction[2] + 1};
  normalize3(half);
  emscripten_glUniform3fv(u[kLightDirection], 1, direction);
  emscripten_glUniform3fv(u[kHalfVector], 1, half);
  const float sceneAmbient[3] = {0.2f, 0.2f, 0.2f};
  emscripten_glUniform3fv(u[kSceneAmbient], 1, sceneAmbient);
  emscripten_glUniform3fv(u[kLightAmbient], 1, s.lightAmbient);
  emscripten_glUniform3fv(u[kLightDiffuse], 1, s.lightDiffuse);
  emscripten_glUniform3fv(u[kLightSpecular], 1, s.lightSpecular);
  emscripten_glUniform4fv(u[kMaterialAmbient], 1, s.materialAmbient);
  emscripten_glUniform4fv(u[kMaterialDiffuse], 1, s.materialDiffuse);
  emscripten_glUniform3fv(u[kMaterialSpecular], 1, s.materialSpecular);
  emscripten_glUniform3fv(u[kMaterialEmission], 1, s.materialEmission);
  emscripten_glUniform1f(u[kShininess], s.shininess);
}

// Draws vertices as WebGL primitives. In window space their positions are
// clip coordinates already; bitmaps are never lit.
void draw(GLenum mode, std::vector<Vertex> &vertices, bool windowSpace, bool lightable = true) {
  if (vertices.empty()) return;
  // Positions reach WebGL in clip coordinates, computed here as Mesa
  // computes them, so that coplanar faces meet in depth as they do there.
  if (!windowSpace) {
    const Matrix mvp = modelViewProjection();
    for (Vertex &v : vertices) {
      const std::array<float, 4> clip = toClip(v.position, mvp);
      for (int i = 0; i < 4; ++i) v.position[i] = clip[i];
    }
  }
  const float *data = reinterpret_cast<const float *>(vertices.data());
  emscripten_glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)), data,
                          GL_STREAM_DRAW);
  setUniforms(lightable);
  emscripten_glDrawArrays(mode, 0, static_cast<GLsizei>(vertices.size()));
}

// Pixel (x, y) of the window as a one-pixel point on the pixel's centre.
void placeAtPixel(Vertex &v, int x, int y, float z) {
  const int *vp = current->viewport;
  v.position[0] = (x + 0.5f - vp[0]) * 2 / vp[2] - 1;
  v.position[1] = (y + 0.5f - vp[1]) * 2 / vp[3] - 1;
  v.position[2] = z * 2 - 1;
  v.position[3] = 1;
}


// Lines become the pixels line_raster.cpp picks, each shaded between the
// two ends of its segment.
void drawLines(GLenum primitive, const std::vector<Vertex> &vertices) {
  GlState &s = *current;
  const Matrix mvp = modelViewProjection();
  const Viewport viewport = llvmpipeViewport(windowHeight());
  const Stipple pattern = {s.stipplePattern, s.stippleFactor};
  std::vector<Vertex> &points = s.scratch;
  std::vector<LineFragment> &fragments = s.fragments;
  points.clear();
  auto segment = [&](const Vertex &from, const Vertex &to, bool first) {
    const std::array<float, 4> a = toClip(from.position, mvp), b = toClip(to.position, mvp);
    if (first) s.stippleCounter = 0;
    fragments.clear();
    rasteriseSegment(a.data(), b.data(), 0, 1, viewport, s.lineStipple ? &pattern : nullptr, s.stippleCounter,
                     fragments);
    Vertex v = from;
    for (int k = 1; k < 3; ++k) {
      for (int i = 0; i < 3; ++i) v.normal[k][i] = to.normal[0][i];
      for (int i = 0; i < 4; ++i) v.colour[k][i] = to.colour[0][i];
    }
    for (const LineFragment &f : fragments) {
      placeAtPixel(v, f.x, f.y, f.z);
      v.weight[0] = 1 - f.along;
      v.weight[1] = f.along;
      points.push_back(v);
    }
  };
  const std::size_t n = vertices.size();
  if (primitive == GL_LINES) {
    for (std::size_t i = 0; i + 1 < n; i += 2) segment(vertices[i], vertices[i + 1], true);
  } else {
    for (std::size_t i = 0; i + 1 < n; ++i) segment(vertices[i], vertices[i + 1], i == 0);
    if (primitive == GL_LINE_LOOP && n > 1) segment(vertices[n - 1], vertices[0], false);
  }
  draw(GL_POINTS, points, true);
}

// Triangles become the rows of pixels llvmpipe covers, each drawn as a
// horizontal line through the row's pixel centres from the left edge of its
// first pixel to the right edge of its last, which any rasteriser covers
// alike; its ends carry the triangle's depth and, perspective-correct, the
// weights of its three lit corners there.
void drawTriangles(const std::vector<Vertex> &vertices, const std::vector<unsigned> &corners) {
  const Matrix mvp = modelViewProjection();
  const int height = windowHeight();
  int width = 0, unused = 0;
  emscripten_webgl_get_drawing_buffer_size(emscripten_webgl_get_current_context(), &width, &unused);
  const Viewport viewport = llvmpipeViewport(height);
  GlState &s = *current;
  std::vector<Vertex> &rows = s.scratch, passed;
  std::vector<Span> &spans = s.spans;
  rows.clear();
  for (std::size_t t = 0; t + 2 < corners.size(); t += 3) {
    const Vertex *v[3] = {&vertices[corners[t]], &vertices[corners[t + 1]], &vertices[corners[t + 2]]};
    std::array<float, 4> clip[3];
    std::array<float, 3> window[3];
    bool inFront = true;
    for (int i = 0; i < 3; ++i) {
      clip[i] = toClip(v[i]->position, mvp);
      inFront = inFront && clip[i][3] > 0;
      window[i] = toWindow(clip[i].data(), viewport);
    }
    if (!inFront) {
      // Behind the eye: left to WebGL, which clips it.
      for (const Vertex *corner : v) passed.push_back(*corner);
      continue;
    }
    spans.clear();
    coverTriangle(window, width, height, spans);
    if (spans.empty()) continue;
    // Screen-space barycentric weights at a point of the window.
    const double x0 = window[0][0], y0 = window[0][1];
    const double e1x = window[1][0] - x0, e1y = window[1][1] - y0, e2x = window[2][0] - x0, e2y = window[2][1] - y0;
    const double det = e1x * e2y - e2x * e1y;
    Vertex q = *v[0];
    for (int k = 0; k < 3; ++k) {
      for (int i = 0; i < 3; ++i) q.normal[k][i] = v[k]->normal[0][i];
      for (int i = 0; i < 4; ++i) q.colour[k][i] = v[k]->colour[0][i];
    }
    auto corner = [&](double x, double y) {
      const double b1 = ((x - x0) * e2y - e2x * (y - y0)) / det, b2 = (e1x * (y - y0) - (x - x0) * e1y) / det;
      const double b[3] = {1 - b1 - b2, b1, b2};
      double z = 0, inverseW = 0;
      for (int i = 0; i < 3; ++i) z += b[i] * window[i][2], inverseW += b[i] / clip[i][3];
      const double w = 1 / inverseW;
      q.position[0] = static_cast<float>((x - viewport.translate[0]) / viewport.scale[0] * w);
      q.position[1] = static_cast<float>((y - viewport.translate[1]) / viewport.scale[1] * w);
      q.position[2] = static_cast<float>((z - viewport.translate[2]) / viewport.scale[2] * w);
      q.position[3] = static_cast<float>(w);
      q.weight[0] = static_cast<float>(b[0] / clip[0][3] * w);
      q.weight[1] = static_cast<float>(b[1] / clip[1][3] * w);
      return q;
    };
    for (const Span &row : spans) {
      rows.push_back(corner(row.x0, row.y + 0.5));
      rows.push_back(corner(row.x1 + 1, row.y + 0.5));
    }
  }
  draw(GL_LINES, rows, true);
  draw(GL_TRIANGLES, passed, false);
}

// The corners of a primitive's triangles, as GL orders them.
std::vector<unsigned> triangleCorners(GLenum p, std::size_t n) {
  std::vector<unsigned> c;
  for (unsigned i = 0; i + 2 < n; ++i) {
    if (p == GL_TRIANGLES || p == GL_QUADS) {
      const bool quad = p == GL_QUADS;
      if (i % (quad ? 4 : 3) != 0) continue;
      if (quad && i + 3 >= n) break;
      c.insert(c.end(), {i, i + 1, i + 2});
      if (quad) c.insert(c.end(), {i, i + 2, i + 3});
    } else if (p == GL_TRIANGLE_STRIP || p == GL_QUAD_STRIP) {
      c.insert(c.end(), {i, i + 1, i + 2});
    } else {  // fans and polygons
      c.insert(c.end(), {0, i + 1, i + 2});
    }
  }
  return c;
}

// What glEnd, glDrawArrays and glDrawElements have in common.
void drawPrimitive(GLenum p, const std::vector<Vertex> &vertices) {
  if (p == GL_LINES || p == GL_LINE_STRIP || p == GL_LINE_LOOP) {
    drawLines(p, vertices);
  } else if (p == GL_POINTS) {
    std::vector<Vertex> points = vertices;
    draw(GL_POINTS, points, false);
  } else {
    drawTriangles(vertices, triangleCorners(p, vertices.size()));
  }
}

// Vertex i of the enabled arrays, with the current colour and, without a
// normal array, the current normal.
Vertex arrayVertex(unsigned i) {
  const GlState &s = *current;
  const float *p = reinterpret_cast<const float *>(s.vertexArray.data + i * s.vertexArray.stride);
  const float *n = s.normalArray.enabled
                       ? reinterpret_cast<const float *>(s.normalArray.data + i * s.normalArray.stride)
                       : s.normal;
  const float position[4] = {p[0], p[1], p[2], 1};
  return vertex(position, n, s.colour);
}

GlState::Array *clientArray(GLenum array) {
  return array == GL_VERTEX_ARRAY ? &current->vertexArray : array == GL_NORMAL_ARRAY ? &current->normalArray : nullptr;
}

void setColour(float r, float g, float b, float a) {
  float *c = current->colour;
  c[0] = r, c[1] = g, c[2] = b, c[3] = a;
}

void setMaterial(GLenum pname, const float *params) {
  GlState &s = *current;
  auto copy4 = [params](float *to) {
    for (int i = 0; i < 4; ++i) to[i] = params[i];
  };
  switch (pname) {
    case GL_AMBIENT: copy4(s.materialAmbient); break;
    case GL_DIFFUSE: copy4(s.materialDiffuse); break;
    case GL_AMBIENT_AND_DIFFUSE:
      copy4(s.materialAmbient);
      copy4(s.materialDiffuse);
      break;
    case GL_SPECULAR: copy4(s.materialSpecular); break;
    case GL_EMISSION: copy4(s.materialEmission); break;
    case GL_SHININESS: s.shininess = params[0]; break;
    default: break;
  }
}

bool setCapability(GLenum cap, bool on) {
  GlState &s = *current;
  switch (cap) {
    case GL_LIGHTING: s.lighting = on; return true;
    case GL_LIGHT0: s.light0 = on; return true;
    case GL_COLOR_MATERIAL: s.colourMaterial = on; return true;
    case GL_NORMALIZE: s.normalize = on; return true;
    case GL_LINE_STIPPLE: s.lineStipple = on; return true;
    default: return false;
  }
}

}  // namespace

GlState *createGlState() {
  GlState *s = new GlState;
  current = s;
  int width = 0, height = 0;
  emscripten_webgl_get_drawing_buffer_size(emscripten_webgl_get_current_context(), &width, &height);
  s->viewport[2] = width;
  s->viewport[3] = height;
  // GL's dithering is Mesa's no-op; a WebGL implementation may really dither.
  emscripten_glDisable(GL_DITHER);

  const GLuint program = emscripten_glCreateProgram();
  emscripten_glAttachShader(program, compile(GL_VERTEX_SHADER, kVertexShader));
  emscripten_glAttachShader(program, compile(GL_FRAGMENT_SHADER, kFragmentShader));
  const char *const attributes[] = {"position", "normal0", "normal1", "normal2",
                                    "colour0",  "colour1", "colour2", "weight"};
  const int sizes[] = {4, 3, 3, 3, 4, 4, 4, 2};
  for (GLuint i = 0; i < 8; ++i) emscripten_glBindAttribLocation(program, i, attributes[i]);
  emscripten_glLinkProgram(program);
  emscripten_glUseProgram(program);
  s->program = program;
  for (int i = 0; i < kUniformCount; ++i) s->uniforms[i] = emscripten_glGetUniformLocation(program, kUniformNames[i]);

  emscripten_glGenBuffers(1, &s->buffer);
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, s->buffer);
  const GLsizei stride = kFloatsPerVertex * sizeof(float);
  std::size_t offset = 0;
  for (GLuint i = 0; i < 8; ++i) {
    emscripten_glEnableVertexAttribArray(i);
    emscripten_glVertexAttribPointer(i, sizes[i], GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<const void *>(offset * sizeof(float)));
    offset += sizes[i];
  }
  return s;
}

void useGlState(GlState *state) { current = state; }

}  // namespace glweb

using glweb::current;

extern "C" {

void glMatrixMode(GLenum mode) {
  if (mode == GL_MODELVIEW || mode == GL_PROJECTION) current->matrixMode = mode;
}

void glPushMatrix() {
  std::vector<glweb::Matrix> &s = glweb::stack();
  const std::size_t depth = current->matrixMode == GL_PROJECTION ? glweb::kProjectionDepth : glweb::kModelViewDepth;
  if (s.size() < depth) s.push_back(s.back());
}

void glPopMatrix() {
  std::vector<glweb::Matrix> &s = glweb::stack();
  if (s.size() > 1) s.pop_back();
}

void glLoadIdentity() { glweb::top() = glweb::kIdentity; }

void glLoadMatrixf(const GLfloat *m) {
  for (int i = 0; i < 16; ++i) glweb::top()[i] = m[i];
}

void glMultMatrixf(const GLfloat *m) { glweb::multiplyTop(m); }

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearVal, GLdouble farVal) {
  const float l = static_cast<float>(left), r = static_cast<float>(right), b = static_cast<float>(bottom),
              t = static_cast<float>(top), n = static_cast<float>(nearVal), f = static_cast<float>(farVal);
  if (l == r || b == t || n == f) return;
  glweb::Matrix m = glweb::kIdentity;
  m[0] = 2.0f / (r - l);
  m[12] = -(r + l) / (r - l);
  m[5] = 2.0f / (t - b);
  m[13] = -(t + b) / (t - b);
  m[10] = -2.0f / (f - n);
  m[14] = -(f + n) / (f - n);
  glweb::multiplyTop(m.data());
}

// Mesa's translation: the matrix's last column updated in place.
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  glweb::Matrix &m = glweb::top();
  for (int r = 0; r < 4; ++r) m[12 + r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
}

// Mesa's rotation: the float sine and cosine of the angle in radians,
// formed in double, and the three axes built directly.
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  const float s = std::sin(static_cast<float>(angle * M_PI / 180.0));
  const float c = std::cos(static_cast<float>(angle * M_PI / 180.0));
  glweb::Matrix m = glweb::kIdentity;
  auto at = [&m](int row, int col) -> float & { return m[4 * col + row]; };
  if (x == 0 && y == 0 && z != 0) {
    at(0, 0) = c, at(1, 1) = c;
    at(0, 1) = z < 0 ? s : -s;
    at(1, 0) = z < 0 ? -s : s;
  } else if (x == 0 && z == 0 && y != 0) {
    at(0, 0) = c, at(2, 2) = c;
    at(0, 2) = y < 0 ? -s : s;
    at(2, 0) = y < 0 ? s : -s;
  } else if (y == 0 && z == 0 && x != 0) {
    at(1, 1) = c, at(2, 2) = c;
    at(1, 2) = x < 0 ? s : -s;
    at(2, 1) = x < 0 ? -s : s;
  } else {
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length <= 1.0e-4f) return;
    x /= length, y /= length, z /= length;
    const float oneMinusC = 1.0f - c;
    at(0, 0) = oneMinusC * x * x + c;
    at(0, 1) = oneMinusC * x * y - z * s;
    at(0, 2) = oneMinusC * z * x + y * s;
    at(1, 0) = oneMinusC * x * y + z * s;
    at(1, 1) = oneMinusC * y * y + c;
    at(1, 2) = oneMinusC * y * z - x * s;
    at(2, 0) = oneMinusC * z * x - y * s;
    at(2, 1) = oneMinusC * y * z + x * s;
    at(2, 2) = oneMinusC * z * z + c;
  }
  glweb::multiplyTop(m.data());
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  int *vp = current->viewport;
  vp[0] = x, vp[1] = y, vp[2] = width, vp[3] = height;
  emscripten_glViewport(x, y, width, height);
}

void glClear(GLbitfield mask) { emscripten_glClear(mask); }

void glClearColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { emscripten_glClearColor(r, g, b, a); }

void glEnable(GLenum cap) {
  if (!glweb::setCapability(cap, true)) emscripten_glEnable(cap);
}

void glDisable(GLenum cap) {
  if (!glweb::setCapability(cap, false)) emscripten_glDisable(cap);
}

void glGetFloatv(GLenum pname, GLfloat *data) {
  const float *from = nullptr;
  int count = 16;
  switch (pname) {
    case GL_CURRENT_COLOR: from = current->colour, count = 4; break;
    case GL_MODELVIEW_MATRIX: from = current->modelView.back().data(); break;
    case GL_PROJECTION_MATRIX: from = current->projection.back().data(); break;
    default: emscripten_glGetFloatv(pname, data); return;
  }
  for (int i = 0; i < count; ++i) data[i] = from[i];
}

void glLightfv(GLenum light, GLenum pname, const GLfloat *params) {
  if (light != GL_LIGHT0) return;
  glweb::GlState &s = *current;
  float *to = pname == GL_AMBIENT    ? s.lightAmbient
              : pname == GL_DIFFUSE  ? s.lightDiffuse
              : pname == GL_SPECULAR ? s.lightSpecular
              : pname == GL_POSITION ? s.lightPosition
                                     : nullptr;
  if (to == nullptr) return;
  for (int i = 0; i < 4; ++i) to[i] = params[i];
  if (pname == GL_POSITION) {
    // Fixed in eye space by the model-view matrix of the moment.
    const glweb::Matrix &m = s.modelView.back();
    for (int r = 0; r < 4; ++r) {
      to[r] = m[r] * params[0] + m[4 + r] * params[1] + m[8 + r] * params[2] + m[12 + r] * params[3];
    }
  }
}

// One-sided lighting is all there is; two-sided is left out.
void glLightModeli(GLenum, GLint) {}

void glMaterialf(GLenum face, GLenum pname, GLfloat param) { glMaterialfv(face, pname, &param); }

// Only the front material is lit, one-sided; a back one is ignored.
void glMaterialfv(GLenum face, GLenum pname, const GLfloat *params) {
  if (face != GL_BACK) glweb::setMaterial(pname, params);
}

void glBegin(GLenum mode) {
  current->inBegin = true;
  current->primitive = mode;
  current->vertices.clear();
}

void glEnd() {
  current->inBegin = false;
  glweb::drawPrimitive(current->primitive, current->vertices);
}

void glEnableClientState(GLenum array) {
  if (glweb::GlState::Array *a = glweb::clientArray(array)) a->enabled = true;
}

void glDisableClientState(GLenum array) {
  if (glweb::GlState::Array *a = glweb::clientArray(array)) a->enabled = false;
}

// Three floats a vertex, as freeglut gives them.
void glVertexPointer(GLint size, GLenum type, GLsizei stride, const void *pointer) {
  if (size != 3 || type != GL_FLOAT) return;
  current->vertexArray.data = static_cast<const char *>(pointer);
  current->vertexArray.stride = stride != 0 ? stride : 3 * sizeof(float);
}

void glNormalPointer(GLenum type, GLsizei stride, const void *pointer) {
  if (type != GL_FLOAT) return;
  current->normalArray.data = static_cast<const char *>(pointer);
  current->normalArray.stride = stride != 0 ? stride : 3 * sizeof(float);
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  if (!current->vertexArray.enabled) return;
  std::vector<glweb::Vertex> vertices;
  for (GLsizei i = 0; i < count; ++i) vertices.push_back(glweb::arrayVertex(static_cast<unsigned>(first + i)));
  glweb::drawPrimitive(mode, vertices);
}

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const void *indices) {
  if (!current->vertexArray.enabled) return;
  std::vector<glweb::Vertex> vertices;
  for (GLsizei i = 0; i < count; ++i) {
    const unsigned index = type == GL_UNSIGNED_SHORT ? static_cast<const GLushort *>(indices)[i]
                           : type == GL_UNSIGNED_INT ? static_cast<const GLuint *>(indices)[i]
                                                     : static_cast<const GLubyte *>(indices)[i];
    vertices.push_back(glweb::arrayVertex(index));
  }
  glweb::drawPrimitive(mode, vertices);
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  glweb::GlState &s = *current;
  if (!s.inBegin) return;
  const float position[4] = {x, y, z, 1};
  s.vertices.push_back(glweb::vertex(position, s.normal, s.colour));
}

void glVertex2i(GLint x, GLint y) { glVertex3f(static_cast<float>(x), static_cast<float>(y), 0); }

void glVertex3fv(const GLfloat *v) { glVertex3f(v[0], v[1], v[2]); }

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  float *n = current->normal;
  n[0] = x, n[1] = y, n[2] = z;
}

void glNormal3fv(const GLfloat *v) { glNormal3f(v[0], v[1], v[2]); }

void glColor3f(GLfloat r, GLfloat g, GLfloat b) { glweb::setColour(r, g, b, 1); }

void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { glweb::setColour(r, g, b, a); }

void glColor4fv(const GLfloat *v) { glweb::setColour(v[0], v[1], v[2], v[3]); }

void glColor3ub(GLubyte r, GLubyte g, GLubyte b) { glweb::setColour(r / 255.0f, g / 255.0f, b / 255.0f, 1); }

// Signed bytes as OpenGL 1.x maps them: -128..127 onto -1..1, so 0 is a
// shade above black.
void glColor3b(GLbyte r, GLbyte g, GLbyte b) {
  auto level = [](GLbyte c) { return (2.0f * c + 1.0f) * (1.0f / 255.0f); };
  glweb::setColour(level(r), level(g), level(b), 1);
}

void glRectf(GLfloat x1, GLfloat y1, GLfloat x2, GLfloat y2) {
  glBegin(GL_POLYGON);
  glVertex3f(x1, y1, 0);
  glVertex3f(x2, y1, 0);
  glVertex3f(x2, y2, 0);
  glVertex3f(x1, y2, 0);
  glEnd();
}

void glLineStipple(GLint factor, GLushort pattern) {
  current->stippleFactor = factor < 1 ? 1 : factor > 256 ? 256 : factor;
  current->stipplePattern = pattern;
}

void glRasterPos2i(GLint x, GLint y) {
  glweb::GlState &s = *current;
  const float v[4] = {static_cast<float>(x), static_cast<float>(y), 0, 1};
  const std::array<float, 4> clip = glweb::toClip(v, glweb::modelViewProjection());
  s.rasterValid = true;
  for (int i = 0; i < 3; ++i) s.rasterValid = s.rasterValid && std::fabs(clip[i]) <= clip[3];
  if (!s.rasterValid) return;
  const int *vp = s.viewport;
  for (int i = 0; i < 2; ++i) s.rasterPosition[i] = (clip[i] / clip[3] + 1) * 0.5f * vp[2 + i] + vp[i];
  s.rasterPosition[2] = (clip[2] / clip[3] + 1) * 0.5f;
  for (int i = 0; i < 4; ++i) s.rasterColour[i] = s.colour[i];
}

// Rows from the bottom, each padded to whole bytes, the first pixel in the
// high bit; placed as Mesa places it, a hair to the right of and above the
// raster position.
void glBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove, GLfloat ymove,
              const GLubyte *bitmap) {
  glweb::GlState &s = *current;
  if (!s.rasterValid) return;
  const int x0 = static_cast<int>(std::floor(s.rasterPosition[0] + 0.0001f - xorig));
  const int y0 = static_cast<int>(std::floor(s.rasterPosition[1] + 0.0001f - yorig));
  const int rowBytes = (width + 7) / 8;
  std::vector<glweb::Vertex> fragments;
  const float origin[4] = {0, 0, 0, 1};
  glweb::Vertex v = glweb::vertex(origin, s.normal, s.rasterColour);
  for (int row = 0; row < height; ++row) {
    for (int col = 0; col < width; ++col) {
      if (bitmap[row * rowBytes + col / 8] & (0x80 >> (col % 8))) {
        glweb::placeAtPixel(v, x0 + col, y0 + row, s.rasterPosition[2]);
        fragments.push_back(v);
      }
    }
  }
  glweb::draw(GL_POINTS, fragments, true, false);
  s.rasterPosition[0] += xmove;
  s.rasterPosition[1] += ymove;
}

}  // extern "C"
