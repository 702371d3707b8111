// OpenGL 1.x and GLUT for the browser, over WebGL 1, for this viewer and its
// GLUI layer: the slice of both that they call, under their own names, so
// that their sources build unchanged for the web. GL/gl.h, GL/glut.h and
// GL/freeglut.h beside this file lead here in the web build.
//
// Implemented, OpenGL (gl_web.cpp), one GL state per GLUT window:
//  - Matrices: glMatrixMode (model-view, projection), glPushMatrix /
//    glPopMatrix (32 and 4 deep), glLoadIdentity, glLoadMatrixf,
//    glMultMatrixf, glOrtho, glTranslatef, glRotatef, all in float as Mesa
//    computes them; glViewport.
//  - glClear, glClearColor; glEnable / glDisable of GL_DEPTH_TEST,
//    GL_LIGHTING, GL_LIGHT0, GL_COLOR_MATERIAL, GL_NORMALIZE and
//    GL_LINE_STIPPLE; glGetFloatv of the current colour and the two
//    matrices.
//  - glBegin / glEnd of points, lines, line strips and loops, triangles,
//    triangle strips and fans, quads and polygons, with a current colour
//    (glColor3f, 3ub, 3b, 4f, 4fv) and normal (glNormal3f, 3fv); glVertex2i,
//    3f, 3fv; glRectf. Smooth shading, no culling, lines and points one
//    pixel wide.
//  - OpenGL 1.1's vertex and normal arrays (glEnableClientState,
//    glDisableClientState, glVertexPointer, glNormalPointer of floats,
//    glDrawArrays, glDrawElements), through which freeglut draws its shapes,
//    as on the desktop; like Mesa, they leave the current normal as it was.
//  - Lighting as OpenGL 1.x defines it, per vertex, for light 0 at infinity
//    (its ambient, diffuse, specular and position set by glLightfv, the
//    position taken through the model-view matrix), the global ambient
//    of 0.2, material ambient, diffuse, specular, emission and shininess
//    (glMaterialf, glMaterialfv; front and back alike), colour material for
//    ambient and diffuse, one-sided, the viewer at infinity. Normals go
//    through the inverse transpose of the model-view matrix and are
//    renormalised only under GL_NORMALIZE.
//  - Which pixels lines and triangles cover is decided here (raster.cpp),
//    as Mesa's llvmpipe decides it, lines clipped to the view volume and
//    stippled or not (glLineStipple); WebGL draws those pixels, shaded
//    between the lit corners, with its own depth buffer. glRasterPos2i and
//    glBitmap are drawn here too, with Mesa's rounding, unlit.
//
// Implemented, GLUT (glut_web.cpp and glut_web.js), one <canvas> per window:
//  - glutInit, glutInitDisplayMode (GLUT_DOUBLE, GLUT_RGB, GLUT_DEPTH),
//    glutInitWindowSize, glutInitWindowPosition (kept for glutGet only: a
//    page places its canvases itself), glutCreateWindow (a canvas whose
//    title attribute is the window's title, side by side with the others,
//    with its own WebGL context; the first one's title is the page's),
//    glutGetWindow, glutSetWindow, glutReshapeWindow, glutSetCursor,
//    glutGet (GLUT_INIT_*, GLUT_INIT_STATE, GLUT_WINDOW_WIDTH / HEIGHT),
//    glutGetModifiers (inside input callbacks).
//  - Callbacks: display, reshape, keyboard, mouse, motion, visibility, idle.
//    A press on a canvas gives it the keyboard, and keys typed there go to
//    its window alone; mouse positions are canvas pixels; while any button
//    is held the window it went down in gets every move, with the pointer's
//    current position, and the release, wherever they happen.
//  - glutMainLoop on the browser's animation frames: in each, pending window
//    sizes (reshape), then the idle callback, then the pending redisplays,
//    then what the program wrote to stdout goes to the browser's console.
//    glutPostRedisplay, glutPostWindowRedisplay, glutSwapBuffers (the
//    browser shows a canvas once its frame is drawn).
//  - glutBitmapCharacter and glutBitmapLength with GLUT_BITMAP_HELVETICA_12,
//    glutSolidCube, glutWireCube, glutSolidTorus and glutWireTorus: freeglut's
//    own font data and shapes, compiled from its source.
//
// Left out: every other GL and GLUT call; textures, blending, fog, culling,
// polygon modes, display lists, colour and texture arrays, selection;
// lights other than light 0, lights at a finite position, spot lights,
// attenuation, two-sided lighting, a local viewer; other fonts; special
// keys, passive motion, entry, timer and menu callbacks; destroying
// windows; window positions, full screen, game mode. Mesa's 32-bit depth
// buffer: WebGL's has 24 bits, so faces or lines that lie in one another
// may show another one of the two. The page never ends the program:
// closing it is all there is.
#pragma once

// WebGL's own types, constants and the calls GL 1.x shares with it.
#include <GLES2/gl2.h>

typedef double GLdouble;

#define GL_VERSION_1_1 1

#define GL_QUADS 0x0007
#define GL_QUAD_STRIP 0x0008
#define GL_POLYGON 0x0009
#define GL_MODELVIEW 0x1700
#define GL_PROJECTION 0x1701
#define GL_LIGHTING 0x0B50
#define GL_LIGHT0 0x4000
#define GL_COLOR_MATERIAL 0x0B57
#define GL_NORMALIZE 0x0BA1
#define GL_LINE_STIPPLE 0x0B24
#define GL_AMBIENT 0x1200
#define GL_DIFFUSE 0x1201
#define GL_SPECULAR 0x1202
#define GL_POSITION 0x1203
#define GL_EMISSION 0x1600
#define GL_SHININESS 0x1601
#define GL_AMBIENT_AND_DIFFUSE 0x1602
#define GL_LIGHT_MODEL_TWO_SIDE 0x0B52
#define GL_CURRENT_COLOR 0x0B00
#define GL_MODELVIEW_MATRIX 0x0BA6
#define GL_PROJECTION_MATRIX 0x0BA7
#define GL_VERTEX_ARRAY 0x8074
#define GL_NORMAL_ARRAY 0x8075
#define GL_TEXTURE_COORD_ARRAY 0x8078

#ifdef __cplusplus
extern "C" {
#endif

void glMatrixMode(GLenum mode);
void glPushMatrix(void);
void glPopMatrix(void);
void glLoadIdentity(void);
void glLoadMatrixf(const GLfloat *m);
void glMultMatrixf(const GLfloat *m);
void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearVal, GLdouble farVal);
void glTranslatef(GLfloat x, GLfloat y, GLfloat z);
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);

void glLightfv(GLenum light, GLenum pname, const GLfloat *params);
void glLightModeli(GLenum pname, GLint param);
void glMaterialf(GLenum face, GLenum pname, GLfloat param);
void glMaterialfv(GLenum face, GLenum pname, const GLfloat *params);

void glBegin(GLenum mode);
void glEnd(void);
void glVertex2i(GLint x, GLint y);
void glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void glVertex3fv(const GLfloat *v);
void glNormal3f(GLfloat x, GLfloat y, GLfloat z);
void glNormal3fv(const GLfloat *v);
void glColor3f(GLfloat r, GLfloat g, GLfloat b);
void glColor3ub(GLubyte r, GLubyte g, GLubyte b);
void glColor3b(GLbyte r, GLbyte g, GLbyte b);
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
void glColor4fv(const GLfloat *v);
void glRectf(GLfloat x1, GLfloat y1, GLfloat x2, GLfloat y2);
void glEnableClientState(GLenum array);
void glDisableClientState(GLenum array);
void glVertexPointer(GLint size, GLenum type, GLsizei stride, const void *pointer);
void glNormalPointer(GLenum type, GLsizei stride, const void *pointer);
void glLineStipple(GLint factor, GLushort pattern);
void glRasterPos2i(GLint x, GLint y);
void glBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove, GLfloat ymove,
              const GLubyte *bitmap);

// GLUT, with freeglut's values.
#define GLUT_RGB 0
#define GLUT_RGBA 0
#define GLUT_SINGLE 0
#define GLUT_DOUBLE 2
#define GLUT_DEPTH 16
#define GLUT_LEFT_BUTTON 0
#define GLUT_MIDDLE_BUTTON 1
#define GLUT_RIGHT_BUTTON 2
#define GLUT_DOWN 0
#define GLUT_UP 1
#define GLUT_NOT_VISIBLE 0
#define GLUT_VISIBLE 1
#define GLUT_ACTIVE_SHIFT 1
#define GLUT_ACTIVE_CTRL 2
#define GLUT_ACTIVE_ALT 4
#define GLUT_CURSOR_RIGHT_ARROW 0
#define GLUT_CURSOR_LEFT_ARROW 1
#define GLUT_CURSOR_TEXT 8
#define GLUT_CURSOR_CROSSHAIR 9
#define GLUT_CURSOR_INHERIT 100
#define GLUT_CURSOR_NONE 101
#define GLUT_WINDOW_WIDTH 102
#define GLUT_WINDOW_HEIGHT 103
#define GLUT_INIT_WINDOW_X 500
#define GLUT_INIT_WINDOW_Y 501
#define GLUT_INIT_WINDOW_WIDTH 502
#define GLUT_INIT_WINDOW_HEIGHT 503
#define GLUT_INIT_DISPLAY_MODE 504
#define GLUT_INIT_STATE 0x007C

#define FGAPIENTRY
extern void *glutBitmapHelvetica12;
#define GLUT_BITMAP_HELVETICA_12 ((void *)&glutBitmapHelvetica12)

void glutInit(int *argc, char **argv);
void glutInitDisplayMode(unsigned int mode);
void glutInitWindowSize(int width, int height);
void glutInitWindowPosition(int x, int y);
int glutCreateWindow(const char *title);
int glutGetWindow(void);
void glutSetWindow(int window);
void glutReshapeWindow(int width, int height);
void glutSetCursor(int cursor);
int glutGet(GLenum query);
int glutGetModifiers(void);

void glutDisplayFunc(void (*callback)(void));
void glutReshapeFunc(void (*callback)(int width, int height));
void glutKeyboardFunc(void (*callback)(unsigned char key, int x, int y));
void glutMouseFunc(void (*callback)(int button, int state, int x, int y));
void glutMotionFunc(void (*callback)(int x, int y));
void glutVisibilityFunc(void (*callback)(int state));
void glutIdleFunc(void (*callback)(void));

void glutMainLoop(void);
void glutPostRedisplay(void);
void glutPostWindowRedisplay(int window);
void glutSwapBuffers(void);

void glutBitmapCharacter(void *font, int character);
int glutBitmapLength(void *font, const unsigned char *text);
void glutSolidCube(double size);
void glutWireCube(double size);
void glutSolidTorus(double innerRadius, double outerRadius, GLint sides, GLint rings);
void glutWireTorus(double innerRadius, double outerRadius, GLint sides, GLint rings);

#ifdef __cplusplus
}

namespace glweb {

// Between the layer's two halves: each GLUT window's WebGL context gets a GL
// state of its own, made while the context is current.
struct GlState;
GlState *createGlState();
void useGlState(GlState *state);

}  // namespace glweb
#endif
