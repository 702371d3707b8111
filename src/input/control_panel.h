// The control panel window and the idle work that keeps the scene moving.
#pragma once

// Opens the "GLUI" panel with a checkbox for each view flag, tied to the main
// window, and installs onIdle. Call once, after the main window exists.
void buildControlPanel();

// Runs whenever GLUT is idle: redraws the main window, so auto-rotation runs
// without any input.
void onIdle();
