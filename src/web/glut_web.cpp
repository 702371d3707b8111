// The GLUT half of the browser layer: windows as canvases, each with a GL
// state, their callbacks, the main loop on the browser's animation frames,
// and bitmap text in freeglut's font.

#include "glut_web.h"

#include <GL/freeglut.h>
#include <emscripten.h>

#include <cstdio>
#include <memory>
#include <vector>

extern "C" {
#include "freeglut/fg_internal.h"

extern SFG_Font fgFontHelvetica12;

// fg_geometry.c's shapes, under these names (CMakeLists.txt).
void fgSolidCube(double size);
void fgWireCube(double size);
void fgSolidTorus(double innerRadius, double outerRadius, GLint sides, GLint rings);
void fgWireTorus(double innerRadius, double outerRadius, GLint sides, GLint rings);

// glut_web.js
int glutWebOpenCanvas(int window, const char *title, int width, int height, int depth);
void glutWebResizeCanvas(int window, int width, int height);
}

// Its address is the font's handle, as in freeglut.
void *glutBitmapHelvetica12;

namespace {

struct Window {
  int id, width, height;
  glweb::GlState *gl;
  bool lost = false;  // while the browser has taken its WebGL context away
  void (*display)() = nullptr;
  void (*reshape)(int, int) = nullptr;
  void (*keyboard)(unsigned char, int, int) = nullptr;
  void (*mouse)(int, int, int, int) = nullptr;
  void (*motion)(int, int) = nullptr;
  void (*visibility)(int) = nullptr;
  // What the next animation frame does for the window.
  bool reshapePending = true, shownPending = true, redisplayPending = true;
};

// glutInit's and glutInitWindow*'s settings, for the next window.
struct {
  bool initialised = false;
  unsigned displayMode = GLUT_RGBA | GLUT_SINGLE;
  int x = -1, y = -1, width = 300, height = 300;
} init;
std::vector<std::unique_ptr<Window>> windows;
Window *current = nullptr;
void (*idle)() = nullptr;
// GLUT's modifiers answer only inside an input callback.
int modifiers = -1;

Window *byId(int id) {
  return id >= 1 && id <= static_cast<int>(windows.size()) ? windows[id - 1].get() : nullptr;
}

void makeCurrent(Window *w) {
  current = w;
  glweb::useGlState(w->gl);
}

// Whether a window has something pending, which it no longer has.
bool take(bool &pending) { return pending ? !(pending = false) : false; }

// One animation frame: what GLUT's main loop does between two waits. A
// window without its context is drawn once it has it back, as an unmapped
// window is once it is shown.
void frame() {
  for (auto &w : windows) {
    makeCurrent(w.get());
    if (take(w->reshapePending)) {
      w->reshape != nullptr ? w->reshape(w->width, w->height) : glViewport(0, 0, w->width, w->height);
      w->redisplayPending = true;
    }
    if (take(w->shownPending) && w->visibility != nullptr) w->visibility(GLUT_VISIBLE);
  }
  if (idle != nullptr) idle();
  for (auto &w : windows) {
    if (w->lost || !take(w->redisplayPending) || w->display == nullptr) continue;
    makeCurrent(w.get());
    w->display();
    glweb::finishFrame();
  }
  // Whatever the program wrote, a whole line or not, reaches the console
  // now (see glut_web.js).
  std::fflush(stdout);
}

}  // namespace

extern "C" {

// Input from glut_web.js, with positions in the window's own pixels: a
// button (GLUT's number, GLUT_DOWN or GLUT_UP), a motion, or a key.
EMSCRIPTEN_KEEPALIVE void glutWebInput(int window, int button, int state, int key, int x, int y, int keys) {
  Window *w = byId(window);
  if (w == nullptr) return;
  makeCurrent(w);
  modifiers = keys;
  if (key >= 0 && w->keyboard != nullptr) w->keyboard(static_cast<unsigned char>(key), x, y);
  if (key < 0 && button >= 0 && w->mouse != nullptr) w->mouse(button, state, x, y);
  if (key < 0 && button < 0 && w->motion != nullptr) w->motion(x, y);
  modifiers = -1;
}

// The canvas's buffer is now width x height device pixels; its context is
// there or lost. Either way the picture must be drawn again.
EMSCRIPTEN_KEEPALIVE void glutWebCanvasChanged(int window, int width, int height, int lost) {
  Window *w = byId(window);
  if (w == nullptr) return;
  glweb::setPixelScale(w->gl, static_cast<float>(width) / w->width, static_cast<float>(height) / w->height);
  w->lost = lost != 0;
  w->redisplayPending = true;
}

void glutInit(int *, char **) { init.initialised = true; }

void glutInitDisplayMode(unsigned int mode) { init.displayMode = mode; }

void glutInitWindowSize(int width, int height) { init.width = width, init.height = height; }
void glutInitWindowPosition(int x, int y) { init.x = x, init.y = y; }

int glutCreateWindow(const char *title) {
  const int id = static_cast<int>(windows.size()) + 1;
  windows.emplace_back(new Window{id, init.width, init.height, glweb::createGlState(id)});
  makeCurrent(windows.back().get());
  if (!glutWebOpenCanvas(id, title, init.width, init.height, (init.displayMode & GLUT_DEPTH) != 0)) {
    fgError("no WebGL for the window '%s': this browser has none, or has it turned off", title);
  }
  return id;
}

int glutGetWindow() { return current != nullptr ? current->id : 0; }

void glutSetWindow(int window) {
  if (Window *w = byId(window)) makeCurrent(w);
}

// The window takes its new size with the next frame, as a window system's
// answer comes after the request.
void glutReshapeWindow(int width, int height) {
  if (current == nullptr) return;
  current->width = width, current->height = height, current->reshapePending = true;
  glutWebResizeCanvas(current->id, width, height);
}

// The pointer is the page's: cursor shapes are left out.
void glutSetCursor(int) {}

int glutGet(GLenum query) {
  switch (query) {
    case GLUT_INIT_STATE: return init.initialised;
    case GLUT_INIT_WINDOW_X: return init.x;
    case GLUT_INIT_WINDOW_Y: return init.y;
    case GLUT_INIT_WINDOW_WIDTH: return init.width;
    case GLUT_INIT_WINDOW_HEIGHT: return init.height;
    case GLUT_INIT_DISPLAY_MODE: return static_cast<int>(init.displayMode);
    case GLUT_WINDOW_WIDTH: return current != nullptr ? current->width : 0;
    case GLUT_WINDOW_HEIGHT: return current != nullptr ? current->height : 0;
    default: return -1;
  }
}

int glutGetModifiers() {
  if (modifiers >= 0) return modifiers;
  fgWarning("glutGetModifiers() called outside an input callback");
  return 0;
}

// The current window's callbacks; with no window there is nothing to set.
#define GLUT_WEB_CALLBACK(function, field, ...)        \
  void function(void (*callback)(__VA_ARGS__)) {       \
    if (current != nullptr) current->field = callback; \
  }
GLUT_WEB_CALLBACK(glutDisplayFunc, display, void)
GLUT_WEB_CALLBACK(glutReshapeFunc, reshape, int, int)
GLUT_WEB_CALLBACK(glutKeyboardFunc, keyboard, unsigned char, int, int)
GLUT_WEB_CALLBACK(glutMouseFunc, mouse, int, int, int, int)
GLUT_WEB_CALLBACK(glutMotionFunc, motion, int, int)
GLUT_WEB_CALLBACK(glutVisibilityFunc, visibility, int)

void glutIdleFunc(void (*callback)()) { idle = callback; }

// Never returns: the browser calls frame() before each repaint of the page.
void glutMainLoop() { emscripten_set_main_loop(frame, 0, 1); }

void glutPostRedisplay() {
  if (current != nullptr) current->redisplayPending = true;
}

void glutPostWindowRedisplay(int window) {
  if (Window *w = byId(window)) w->redisplayPending = true;
}

// The browser shows what a canvas's context drew once the frame is over.
void glutSwapBuffers() { glweb::finishFrame(); }

// freeglut's shapes, without vertex arrays to draw from, set the normal at
// each vertex. Drawn from arrays, as on the desktop, they leave the current
// normal as it was, and the viewer's grid, drawn next, is lit with it.
void glutSolidCube(double size) {
  glweb::keepingNormal([=] { fgSolidCube(size); });
}
void glutWireCube(double size) {
  glweb::keepingNormal([=] { fgWireCube(size); });
}
void glutSolidTorus(double innerRadius, double outerRadius, GLint sides, GLint rings) {
  glweb::keepingNormal([=] { fgSolidTorus(innerRadius, outerRadius, sides, rings); });
}
void glutWireTorus(double innerRadius, double outerRadius, GLint sides, GLint rings) {
  glweb::keepingNormal([=] { fgWireTorus(innerRadius, outerRadius, sides, rings); });
}

void glutBitmapCharacter(void *font, int character) {
  if (font != GLUT_BITMAP_HELVETICA_12 || character < 1 || character > 255) return;
  const SFG_Font &f = fgFontHelvetica12;
  const GLubyte *face = f.Characters[character];
  glBitmap(face[0], f.Height, f.xorig, f.yorig, face[0], 0, face + 1);
}

// The widest line's width, as freeglut measures it.
int glutBitmapLength(void *font, const unsigned char *text) {
  if (font != GLUT_BITMAP_HELVETICA_12 || text == nullptr) return 0;
  int widest = 0, line = 0;
  for (; *text != 0; ++text) {
    line = *text == '\n' ? 0 : line + fgFontHelvetica12.Characters[*text][0];
    widest = line > widest ? line : widest;
  }
  return widest;
}

}  // extern "C"
