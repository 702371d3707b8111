// The projection: the orthographic box and the frustum, the projection matrix
// the viewer builds from them, and the reshape callback; in the conventions of
// transform_matrix.h. The viewing transform is look_at.h's.
#pragma once

// Stands in for glFrustum(l, r, b, t, n, f), always centred on the view axis:
// the off-centre terms are left out, which changes nothing for l = -r, b = -t.
// A degenerate box (f = n, l = r or b = t) prints
// "Projection error! Invalid Parameters" and leaves the matrix as it was.
void applyFrustum(float l, float r, float b, float t, float n, float f);

// Stands in for glOrtho(l, r, b, t, n, f) without its translation column: the
// box is centred on the eye, so the viewer's (0, 7.2) depth range takes in
// eye-space depths from -3.6 to +3.6. Same check and message as applyFrustum.
void applyOrtho(float l, float r, float b, float t, float n, float f);

// Rebuilds the projection matrix from sceneState.orthoView and leaves
// GL_MODELVIEW current.
void setupProjection();

// GLUT reshape callback: rebuilds the projection and draws into the largest
// centred square, so the scene is never stretched.
void reshapeWindow(int w, int h);
