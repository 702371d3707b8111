// The viewer's one-time OpenGL state, as its start-up leaves the main window,
// set in the current window: for the tests and benchmarks that draw the
// viewer's frames. Only those link the viewer; the rest of test-support draws
// the reference picture and knows nothing of it.
#pragma once

#include "app/lighting.h"
#include "gl_window.h"
#include "transform/projection.h"

// initLighting, then the reshape GLUT delivers when the window first shows.
inline void setUpViewerWindow() {
  initLighting();
  reshapeWindow(kMainWindowSide, kMainWindowSide);
}
