// Nanoseconds per transform operation. Two families:
//   TransformMatrix/*  building the matrix alone, no OpenGL involved;
//   apply*/gl*         handing it to OpenGL (glMultMatrixf / glLoadMatrixf),
//                      each beside the OpenGL function it stands in for.
// The GL family needs a current context, so main opens a GLUT window first.
// The current matrix is reset every 1024 operations so repeated products
// never drift towards huge or denormal values.

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <benchmark/benchmark.h>

#include "gl_window.h"
#include "transform/look_at.h"
#include "transform/transform_matrix.h"

namespace {

// An angle that changes every iteration, so nothing can be folded away.
float nextAngle(float &angle) {
  angle += 1.25f;
  if (angle > 360) angle -= 360;
  return angle;
}

void TransformMatrixIdentity(benchmark::State &state) {
  TransformMatrix m(TransformKind::Identity, 0, 0, 0);
  for (auto _ : state) benchmark::DoNotOptimize(m.identity());
}
BENCHMARK(TransformMatrixIdentity)->Name("TransformMatrix/identity");

void TransformMatrixScale(benchmark::State &state) {
  TransformMatrix m(TransformKind::Identity, 0, 0, 0);
  float s = 1;
  for (auto _ : state) {
    s = s > 2 ? 0.5f : s * 1.5f;
    benchmark::DoNotOptimize(m.scale(s, 2, 3));
  }
}
BENCHMARK(TransformMatrixScale)->Name("TransformMatrix/scale");

void TransformMatrixTranslate(benchmark::State &state) {
  TransformMatrix m(TransformKind::Identity, 0, 0, 0);
  float t = 0;
  for (auto _ : state) benchmark::DoNotOptimize(m.translate(nextAngle(t), 2, 3));
}
BENCHMARK(TransformMatrixTranslate)->Name("TransformMatrix/translate");

template <const float *(TransformMatrix::*Rotate)(float)>
void TransformMatrixRotate(benchmark::State &state) {
  TransformMatrix m(TransformKind::Identity, 0, 0, 0);
  float a = 0;
  for (auto _ : state) benchmark::DoNotOptimize((m.*Rotate)(nextAngle(a)));
}
BENCHMARK(TransformMatrixRotate<&TransformMatrix::rotateX>)->Name("TransformMatrix/rotateX");
BENCHMARK(TransformMatrixRotate<&TransformMatrix::rotateY>)->Name("TransformMatrix/rotateY");
BENCHMARK(TransformMatrixRotate<&TransformMatrix::rotateZ>)->Name("TransformMatrix/rotateZ");

// One GL operation per iteration on the model-view matrix.
template <typename Operation>
void onModelView(benchmark::State &state, Operation operation) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  float a = 0;
  unsigned n = 0;
  for (auto _ : state) {
    operation(nextAngle(a));
    if ((++n & 1023u) == 0) glLoadIdentity();  // about 0.01 ns per operation
  }
  glFinish();
}

void LoadIdentityMatrix(benchmark::State &state) {
  onModelView(state, [](float) { loadIdentityMatrix(); });
}
void GlLoadIdentity(benchmark::State &state) {
  onModelView(state, [](float) { glLoadIdentity(); });
}
void ApplyScale(benchmark::State &state) {
  onModelView(state, [](float a) { applyScale(a > 180 ? 2.0f : 0.5f, 1, 1); });
}
void GlScalef(benchmark::State &state) {
  onModelView(state, [](float a) { glScalef(a > 180 ? 2.0f : 0.5f, 1, 1); });
}
void ApplyTranslate(benchmark::State &state) {
  onModelView(state, [](float a) { applyTranslate(a, 1, 2); });
}
void GlTranslatef(benchmark::State &state) {
  onModelView(state, [](float a) { glTranslatef(a, 1, 2); });
}
void ApplyRotateX(benchmark::State &state) {
  onModelView(state, [](float a) { applyRotateX(a); });
}
void GlRotatefX(benchmark::State &state) {
  onModelView(state, [](float a) { glRotatef(a, 1, 0, 0); });
}
void ApplyRotateY(benchmark::State &state) {
  onModelView(state, [](float a) { applyRotateY(a); });
}
void GlRotatefY(benchmark::State &state) {
  onModelView(state, [](float a) { glRotatef(a, 0, 1, 0); });
}
void ApplyRotateZ(benchmark::State &state) {
  onModelView(state, [](float a) { applyRotateZ(a); });
}
void GlRotatefZ(benchmark::State &state) {
  onModelView(state, [](float a) { glRotatef(a, 0, 0, 1); });
}
// The viewer's default camera, nudged each time so every call does real work.
void ApplyLookAt(benchmark::State &state) {
  onModelView(state, [](float a) { applyLookAt(1 + a * 1e-3f, 1, 1, 0, 0, 0, 0, 1, 0); });
}
void GluLookAt(benchmark::State &state) {
  onModelView(state, [](float a) { gluLookAt(1 + a * 1e-3f, 1, 1, 0, 0, 0, 0, 1, 0); });
}

BENCHMARK(LoadIdentityMatrix)->Name("loadIdentityMatrix");
BENCHMARK(GlLoadIdentity)->Name("glLoadIdentity");
BENCHMARK(ApplyScale)->Name("applyScale");
BENCHMARK(GlScalef)->Name("glScalef");
BENCHMARK(ApplyTranslate)->Name("applyTranslate");
BENCHMARK(GlTranslatef)->Name("glTranslatef");
BENCHMARK(ApplyRotateX)->Name("applyRotateX");
BENCHMARK(GlRotatefX)->Name("glRotatef/x");
BENCHMARK(ApplyRotateY)->Name("applyRotateY");
BENCHMARK(GlRotatefY)->Name("glRotatef/y");
BENCHMARK(ApplyRotateZ)->Name("applyRotateZ");
BENCHMARK(GlRotatefZ)->Name("glRotatef/z");
BENCHMARK(ApplyLookAt)->Name("applyLookAt");
BENCHMARK(GluLookAt)->Name("gluLookAt");

}  // namespace

int main(int argc, char **argv) {
  openGlWindow("matrix benchmark", 64, 64, 40, 40);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
