// What a panel needs from X11 that GLUT has no call for. Each acts on the
// window of the current GL context: make the panel's GLUT window current
// first.
#pragma once

namespace glui_internal {

struct WindowSize {
  int width, height;
};

// The window's size as the X server has it now, or -1 by -1 when the
// server cannot tell; costs a round trip.
WindowSize currentWindowSize();

// Tells the window manager that the window has this size and no other:
// its minimum and maximum size are both set to it.
void setFixedSizeHints(int width, int height);

// GLUT maps a window as it creates it, before it can be given these
// hints, and window managers decide how to manage a window (i3: tile it or
// float it) when it is mapped. This withdraws the window, sets the hints
// and maps it again.
void mapAgainWithFixedSize(int width, int height);

}  // namespace glui_internal
