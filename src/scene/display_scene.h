// One frame of the viewer.
#pragma once

// GLUT display callback of the main window: draws the grid and the vehicle
// from sceneState, advances the auto-rotation of every spinning axis by one
// degree, and swaps buffers.
void displayScene();

// One degree more of auto-rotation, kept within 0..359 so a counter never
// overflows however long the viewer runs; the rotation it gives is the same.
void advanceSpin(int &spinCount);
