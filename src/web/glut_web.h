// OpenGL 1.x and GLUT for the browser, over WebGL 1: the slice of both that
// this viewer and its GLUI layer call, under their own names, so that their
// sources build unchanged with Emscripten. The GL calls are declared in
// GL/gl.h beside this file; GLUT's are freeglut's own <GL/freeglut.h>,
// from freeglut's source. This header is what the layer's three parts
// (gl_web.cpp, glut_web.cpp, glut_web.js) say to one another.
//
// Implemented, OpenGL (gl_web.cpp), one state per GLUT window:
//  - The model-view and projection stacks (glMatrixMode, glPushMatrix,
//    glPopMatrix, 32 and 4 deep; glLoadIdentity, glLoadMatrixf,
//    glMultMatrixf, glOrtho, glTranslatef, glRotatef); glViewport.
//  - glClear and glClearColor; glEnable / glDisable of GL_DEPTH_TEST,
//    GL_LIGHTING, GL_LIGHT0, GL_COLOR_MATERIAL and GL_LINE_STIPPLE.
//  - glBegin / glEnd of points, lines, line strips and loops, triangles,
//    triangle strips and fans, and polygons, with the current colour
//    (glColor3b, 3ub, 3f, 4f) and normal (glNormal3f, 3fv); glVertex2i,
//    3f, 3fv; glRectf.
//  - Lighting per vertex by OpenGL 1.x's equations, in the vertex shader:
//    light 0 at infinity (glLightfv: ambient, diffuse, specular, and the
//    position taken into eye space by the model-view matrix), the global
//    ambient of 0.2, the viewer at infinity, one side; the material's
//    ambient, diffuse, specular and shininess (glMaterialf, glMaterialfv),
//    with colour material for ambient and diffuse. Normals go through the
//    inverse transpose of the model-view matrix, never renormalised. Smooth
//    shading, no culling, the depth test as GL_LESS, lines and points one
//    device pixel wide.
//  - What is drawn unlit straight into window space, as a panel is
//    (orthographic, w = 1): points, lines along x or y (stippled by
//    glLineStipple) and bitmaps (glRasterPos2i, glBitmap, rows of whole
//    bytes) are the whole pixels GL's rules give them (pixels.h), each
//    primitive in its first vertex's colour at its depth, and bitmaps in the
//    raster position's colour. Rectangles on the window's axes need nothing
//    of this: their edges lie on pixel edges.
//
// Implemented, GLUT (glut_web.cpp, glut_web.js), one <canvas> per window in
// the page's #glut-windows, or the page's body:
//  - glutInit, glutInitDisplayMode (GLUT_DOUBLE, GLUT_RGB, GLUT_DEPTH),
//    glutInitWindowSize, glutInitWindowPosition (kept for glutGet only: the
//    page places its canvases), glutCreateWindow (a canvas titled and named
//    as the window, its WebGL context; the first window's title is the
//    page's, unless it has one), glutGetWindow, glutSetWindow,
//    glutReshapeWindow, glutSetCursor (which keeps the page's), glutGet
//    (GLUT_INIT_*, GLUT_INIT_STATE, GLUT_WINDOW_WIDTH / HEIGHT),
//    glutGetModifiers (in input callbacks).
//  - Callbacks: display, reshape, keyboard, mouse, motion, visibility, idle.
//    Pointer events carry mouse, finger and pen alike (the primary pointer
//    alone; a finger or pen is the left button); a press gives the canvas
//    the keyboard and keeps the pointer until the last button is up, as an
//    X server's grab does. Positions are the window's own pixels, however
//    the page scales the canvas. Tab is the window's, so Escape, passed on
//    as well, gives the keyboard back to the page.
//    Module.glutTypeKey(window, character) types a key into a window, for
//    the page's own buttons.
//  - A canvas's buffer is its size on the page times devicePixelRatio, and
//    follows both; the program still sees its window's own size, and
//    viewports are scaled to the buffer.
//  - glutMainLoop on the browser's animation frames: in each, pending
//    reshapes, then the idle callback, then pending redisplays; what the
//    program wrote to stdout reaches the console at once. glutPostRedisplay,
//    glutPostWindowRedisplay, glutSwapBuffers.
//  - A lost WebGL context stops that window's drawing, as an unmapped
//    window's; once it is restored, the layer builds its shader and buffer
//    again and redraws the window. Without WebGL, glutCreateWindow reports
//    it and ends the program, as freeglut does without a GL context.
//  - glutBitmapCharacter and glutBitmapLength in GLUT_BITMAP_HELVETICA_12,
//    glutSolidCube, glutWireCube, glutSolidTorus and glutWireTorus:
//    freeglut's own font data and shapes, compiled from its source.
//
// Left out: every other GL and GLUT call; vertex arrays (so freeglut's
// shapes take its path without them, wrapped to leave the current normal as
// its array path does), quads, textures, blending, fog, polygon modes,
// display lists, selection; lights other than light 0, positional and spot
// lights, two-sided lighting, a local viewer, a changed global ambient,
// emission, GL_NORMALIZE; stipple of lines not in window space; other
// fonts, cursor shapes; special keys, passive motion, entry, timer and menu
// callbacks; destroying windows; window positions, full screen, game mode.
// The page never ends the program: closing it is all there is.
#pragma once

#include <functional>

namespace glweb {

// Each GLUT window's GL state, made with its canvas.
struct GlState;
GlState *createGlState(int window);
// Sends what the current window has batched, then makes another current.
void useGlState(GlState *state);
// Device pixels per window pixel, across and up.
void setPixelScale(GlState *state, float x, float y);
// Sends what the current window has batched, as a swap must.
void finishFrame();
// Draws, then puts the current normal back as it was before.
void keepingNormal(const std::function<void()> &draw);

extern "C" {
// glut_web.js: WebGL's side. The vertices are 11 floats each (clip
// position, eye-space normal, colour), the shading gl_web.cpp's 32, the
// viewport in device pixels.
void glutWebDraw(int window, unsigned mode, const float *vertices, int count, const float *shading,
                 const int *viewport, int depthTest);
void glutWebClear(int window, const float *colour, int mask);
}

}  // namespace glweb
