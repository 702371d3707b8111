#include "glui_x11.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace glui_x11 {

void mapAgainWithFixedSize(int width, int height) {
  Display *display = glXGetCurrentDisplay();
  const Window window = glXGetCurrentDrawable();
  XWithdrawWindow(display, window, DefaultScreen(display));
  setFixedSizeHints(width, height);
  XMapWindow(display, window);
  XFlush(display);
}

void setFixedSizeHints(int width, int height) {
  Display *display = glXGetCurrentDisplay();
  const Window window = glXGetCurrentDrawable();
  XSizeHints *hints = XAllocSizeHints();
  if (hints == NULL) return;
  // Keep what GLUT put there: the position it was asked for.
  long supplied = 0;
  XGetWMNormalHints(display, window, hints, &supplied);
  hints->flags |= USSize | PMinSize | PMaxSize;
  hints->width = hints->min_width = hints->max_width = width;
  hints->height = hints->min_height = hints->max_height = height;
  XSetWMNormalHints(display, window, hints);
  XFree(hints);
  // Out now, before the window manager acts on the old hints.
  XFlush(display);
}

bool serverWindowSize(int &width, int &height) {
  Window root;
  int x, y;
  unsigned int w, h, border, depth;
  if (!XGetGeometry(glXGetCurrentDisplay(), glXGetCurrentDrawable(), &root, &x, &y, &w, &h, &border,
                    &depth)) {
    return false;
  }
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

}  // namespace glui_x11
