// The main window's keys; the README's controls table lists them.
#pragma once

// GLUT keyboard callback. Case-sensitive; the pointer position is unused.
// It requests no redraw: the continuous redraw shows the change.
void onKey(unsigned char key, int x, int y);
