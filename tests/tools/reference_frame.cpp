// reference-frame [--size N] [WORD...]
//
// Draws the reference picture of the view the words describe (see
// readReferenceView in reference_scene.h) in a window made as the viewer
// makes its main window, 600 x 600 with a depth buffer, and writes it to
// standard output as a binary PPM. The end-to-end tests compare screenshots
// of the real viewer with it. --size N draws it in an N x N window instead,
// as the desktop viewer draws when its window is made that size: the
// browser check compares a page drawn at two device pixels a pixel with the
// picture at 1200.

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gl_window.h"
#include "reference_scene.h"

int main(int argc, char **argv) {
  int side = kMainWindowSide;
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--size") == 0) {
    char *end = nullptr;
    const long size = std::strtol(argv[2], &end, 10);
    if (*end != '\0' || size < 1 || size > 4096) {
      std::fprintf(stderr, "reference-frame: --size takes a side of 1 to 4096 pixels, not '%s'\n", argv[2]);
      return 2;
    }
    side = static_cast<int>(size);
    first = 3;
  }
  std::string words;
  for (int i = first; i < argc; ++i) words += std::string(argv[i]) + " ";
  ReferenceView view;
  if (!readReferenceView(words, view)) {
    std::fprintf(stderr, "reference-frame: cannot read the view '%s'\n", words.c_str());
    return 2;
  }

  // Clear of the viewer's windows, so that taking this picture never
  // uncovers part of theirs.
  openGlWindow("reference frame", side, side, 660, 400);
  setUpReferenceLighting();
  glViewport(0, 0, side, side);
  // A running viewer lights its grid lines with the normal its previous
  // frame ended on, so the second frame is the one to compare with.
  drawReferenceFrame(view);
  drawReferenceFrame(view);

  const std::vector<unsigned char> pixels = readPixels(side, side);
  std::printf("P6\n%d %d\n255\n", side, side);
  // GL's rows run bottom to top, PPM's top to bottom.
  for (int row = side - 1; row >= 0; --row)
    std::fwrite(&pixels[static_cast<std::size_t>(row) * side * 3], 1, static_cast<std::size_t>(side) * 3, stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
