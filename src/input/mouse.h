// Horizontal drags in the main window pose the model; only x is ever used.
#pragma once

// GLUT mouse callback: remembers where any button went down or up, so the
// next drag is measured from there.
void onMouse(int button, int state, int x, int y);

// GLUT motion callback: changes what sceneState.mouseMode selects by the
// horizontal move since the last mouse event, then requests a redraw.
void onDrag(int x, int y);
