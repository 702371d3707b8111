// What a panel asks of X11 that GLUT has no call for; built only where GLUT
// is the X11 one. Each acts on the window of the current GL context: make the
// panel's GLUT window current first.
#pragma once

namespace glui_x11 {

// GLUT maps a window as it creates it, before it can be given size hints, and
// window managers decide how to manage a window (i3: tile it or float it)
// when it is mapped. This withdraws the window, sets the hints and maps it
// again.
void mapAgainWithFixedSize(int width, int height);

// Tells the window manager that the window has this size and no other: its
// minimum and maximum sizes are both set to it.
void setFixedSizeHints(int width, int height);

// The window's size as the X server has it now (a round trip), or false when
// the server cannot tell.
bool serverWindowSize(int &width, int &height);

}  // namespace glui_x11
