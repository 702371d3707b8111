#include "transform/look_at.h"

#include <GL/gl.h>

#include <cmath>

#include "transform/transform_matrix.h"

namespace {

struct Vector3 {
  float x;
  float y;
  float z;
};

// Length formed in double from float components; the caller divides by it.
double lengthOf(const Vector3 &v) {
  const double x = v.x;
  const double y = v.y;
  const double z = v.z;
  return std::sqrt(z * z + y * y + x * x);
}

Vector3 dividedBy(const Vector3 &v, double length) {
  return {static_cast<float>(v.x / length), static_cast<float>(v.y / length),
          static_cast<float>(v.z / length)};
}

}  // namespace

void applyLookAt(float eyeX, float eyeY, float eyeZ, float centreX, float centreY, float centreZ, float upX,
                 float upY, float upZ) {
  // w points from the centre back towards the eye: the camera's +z.
  Vector3 w = {eyeX - centreX, eyeY - centreY, eyeZ - centreZ};
  if (w.x == 0 && w.y == 0 && w.z == 0) return;
  w = dividedBy(w, lengthOf(w));

  // u = up x w: the camera's +x. It vanishes when up is zero or lies along
  // the line of sight; then there is no sideways direction to build on.
  Vector3 u = {w.z * upY - w.y * upZ, w.x * upZ - w.z * upX, w.y * upX - w.x * upY};
  const double uLength = lengthOf(u);
  if (!(uLength > 0)) return;
  u = dividedBy(u, uLength);

  // v = w x u: the camera's +y, already unit length.
  const Vector3 v = {u.z * w.y - u.y * w.z, u.x * w.z - u.z * w.x, u.y * w.x - u.x * w.y};

  // Rows 0, 1, 2 are u, v, w.
  float m[16] = {};
  m[0] = u.x;
  m[4] = u.y;
  m[8] = u.z;
  m[1] = v.x;
  m[5] = v.y;
  m[9] = v.z;
  m[2] = w.x;
  m[6] = w.y;
  m[10] = w.z;
  m[15] = 1;
  glMultMatrixf(m);
  applyTranslate(-eyeX, -eyeY, -eyeZ);
}
