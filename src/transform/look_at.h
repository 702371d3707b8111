// The viewing transform, built in the conventions of transform_matrix.h.
#pragma once

// Stands in for gluLookAt: afterwards the eye is at the origin, looking down
// -z at the centre, with the up vector's projection as +y. A camera it cannot
// orient (eye = centre, or an up vector that is zero or parallel to the line
// of sight) leaves the matrix untouched, so nothing non-finite reaches GL.
void applyLookAt(float eyeX, float eyeY, float eyeZ, float centreX, float centreY, float centreZ, float upX,
                 float upY, float upZ);
