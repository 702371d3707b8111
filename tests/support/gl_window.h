// The GLUT window that the tests, the test tools and the benchmarks draw in,
// and reading back what was drawn there.
#pragma once

#include <vector>

// The side of the viewer's main window, and so of every picture compared
// with it.
constexpr int kMainWindowSide = 600;

// Initialises GLUT and opens a width x height window as the viewer opens its
// main one (double-buffered RGB with a depth buffer), at (x, y), drawing
// nothing of its own; it is current on return. Before the first context,
// Mesa is told to keep no shader cache in the user's home.
int openGlWindow(const char *title, int width, int height, int x, int y);

// The current window's back buffer, its lower-left width x height pixels, as
// RGB bytes row by row from the bottom.
std::vector<unsigned char> readPixels(int width, int height);
