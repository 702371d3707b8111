// The program's own 4 x 4 transforms.
//
// Conventions, as OpenGL takes them:
//   - 16 floats, column-major: row r, column c sits at index 4 * c + r, so
//     the translation is in entries 12, 13, 14 and the diagonal is 0, 5, 10, 15;
//   - column vectors, p' = M p; glMultMatrixf post-multiplies, so a sequence
//     of apply* calls composes exactly like the same glTranslatef / glRotatef /
//     glScalef sequence;
//   - angles in degrees, right-handed: a positive angle turns counter-clockwise
//     looking down the axis towards the origin.
#pragma once

enum class TransformKind { Identity = 0, Scale = 1, Translate = 2, RotateX = 3, RotateY = 4, RotateZ = 5 };

// One matrix buffer, rebuilt in place by every operation. Each operation
// resets all 16 entries before writing its own, so nothing carries over
// between uses, and returns the buffer, valid until the next operation.
class TransformMatrix {
 public:
  TransformMatrix(TransformKind kind, int a, int b, int c);
  ~TransformMatrix();
  TransformMatrix(const TransformMatrix &) = delete;
  TransformMatrix &operator=(const TransformMatrix &) = delete;

  // Stands in for glLoadIdentity.
  const float *identity();
  // Stands in for glScalef(x, y, z).
  const float *scale(float x, float y, float z);
  // Stands in for glTranslatef(x, y, z).
  const float *translate(float x, float y, float z);
  // Stand in for glRotatef(degrees, 1, 0, 0), (…, 0, 1, 0) and (…, 0, 0, 1).
  const float *rotateX(float degrees);
  const float *rotateY(float degrees);
  const float *rotateZ(float degrees);

 private:
  float *entries_;
};

// The one matrix the whole program builds its transforms in; it lives from
// before main until process exit, so no frame ever allocates a matrix.
extern TransformMatrix sharedTransform;

// Each rebuilds sharedTransform and hands it to the current OpenGL matrix.
void loadIdentityMatrix();                       // glLoadIdentity
void applyScale(float x, float y, float z);      // glScalef
void applyTranslate(float x, float y, float z);  // glTranslatef
void applyRotateX(float degrees);                // glRotatef about x
void applyRotateY(float degrees);                // glRotatef about y
void applyRotateZ(float degrees);                // glRotatef about z
// Rotates about the first axis whose flag is non-zero, tested x, y, z; with
// no flag set it leaves the matrix alone.
void applyRotate(float degrees, int onX, int onY, int onZ);
