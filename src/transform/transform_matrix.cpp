#include "transform/transform_matrix.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// Degrees to radians as the program has always converted them: this rounded
// constant rather than pi / 180 to full precision, in double, then to float.
constexpr double kRadiansPerDegree = 0.0174532925;

struct CosSin {
  float c;
  float s;
};

CosSin cosSinOfDegrees(float degrees) {
  const float radians = static_cast<float>(degrees * kRadiansPerDegree);
  return {static_cast<float>(std::cos(static_cast<double>(radians))),
          static_cast<float>(std::sin(static_cast<double>(radians)))};
}

}  // namespace

TransformMatrix sharedTransform(TransformKind::Identity, 0, 0, 0);

TransformMatrix::TransformMatrix(TransformKind kind, int a, int b, int c) : entries_(new float[16]) {
  const float x = static_cast<float>(a);
  const float y = static_cast<float>(b);
  const float z = static_cast<float>(c);
  switch (kind) {
    case TransformKind::Identity: identity(); break;
    case TransformKind::Scale: scale(x, y, z); break;
    case TransformKind::Translate: translate(x, y, z); break;
    case TransformKind::RotateX: rotateX(x); break;
    case TransformKind::RotateY: rotateY(x); break;
    case TransformKind::RotateZ: rotateZ(x); break;
  }
}

TransformMatrix::~TransformMatrix() { delete[] entries_; }

const float *TransformMatrix::identity() {
  for (int i = 0; i < 16; ++i) entries_[i] = (i % 5 == 0) ? 1.0f : 0.0f;
  return entries_;
}

const float *TransformMatrix::scale(float x, float y, float z) {
  identity();
  entries_[0] = x;
  entries_[5] = y;
  entries_[10] = z;
  return entries_;
}

const float *TransformMatrix::translate(float x, float y, float z) {
  identity();
  entries_[12] = x;
  entries_[13] = y;
  entries_[14] = z;
  return entries_;
}

const float *TransformMatrix::rotateX(float degrees) {
  const CosSin r = cosSinOfDegrees(degrees);
  identity();
  entries_[5] = r.c;
  entries_[6] = r.s;
  entries_[9] = -r.s;
  entries_[10] = r.c;
  return entries_;
}

const float *TransformMatrix::rotateY(float degrees) {
  const CosSin r = cosSinOfDegrees(degrees);
  identity();
  entries_[0] = r.c;
  entries_[8] = r.s;
  entries_[2] = -r.s;
  entries_[10] = r.c;
  return entries_;
}

const float *TransformMatrix::rotateZ(float degrees) {
  const CosSin r = cosSinOfDegrees(degrees);
  identity();
  entries_[0] = r.c;
  entries_[1] = r.s;
  entries_[4] = -r.s;
  entries_[5] = r.c;
  return entries_;
}

void loadIdentityMatrix() { glLoadMatrixf(sharedTransform.identity()); }

void applyScale(float x, float y, float z) { glMultMatrixf(sharedTransform.scale(x, y, z)); }

void applyTranslate(float x, float y, float z) { glMultMatrixf(sharedTransform.translate(x, y, z)); }

void applyRotateX(float degrees) { glMultMatrixf(sharedTransform.rotateX(degrees)); }

void applyRotateY(float degrees) { glMultMatrixf(sharedTransform.rotateY(degrees)); }

void applyRotateZ(float degrees) { glMultMatrixf(sharedTransform.rotateZ(degrees)); }

void applyRotate(float degrees, int onX, int onY, int onZ) {
  if (onX != 0) {
    applyRotateX(degrees);
  } else if (onY != 0) {
    applyRotateY(degrees);
  } else if (onZ != 0) {
    applyRotateZ(degrees);
  }
}
