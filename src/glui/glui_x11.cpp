// The X11 side of a panel window: its size as the server has it, and its
// size hints.

#include "glui_x11.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace glui_internal {

WindowSize currentWindowSize() {
  Window root;
  int x, y;
  unsigned int width, height, border, depth;
  if (!XGetGeometry(glXGetCurrentDisplay(), glXGetCurrentDrawable(), &root, &x, &y, &width, &height, &border,
                    &depth)) {
    return {-1, -1};
  }
  return {static_cast<int>(width), static_cast<int>(height)};
}

void setFixedSizeHints(int width, int height) {
  Display *display = glXGetCurrentDisplay();
  const Window window = glXGetCurrentDrawable();
  XSizeHints *hints = XAllocSizeHints();
  if (hints == NULL) return;
  // Keep what GLUT put there (the position it was asked for).
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

void mapAgainWithFixedSize(int width, int height) {
  Display *display = glXGetCurrentDisplay();
  const Window window = glXGetCurrentDrawable();
  XWithdrawWindow(display, window, DefaultScreen(display));
  setFixedSizeHints(width, height);
  XMapWindow(display, window);
  XFlush(display);
}

}  // namespace glui_internal
