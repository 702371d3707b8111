// reference-frame [WORD...]
//
// Draws the reference picture of the view the words describe (see
// readReferenceView in reference_scene.h) in a window made as the viewer
// makes its main window, 600 x 600 with a depth buffer, and writes it to
// standard output as a binary PPM. The end-to-end tests compare screenshots
// of the real viewer with it.

#include <GL/freeglut.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gl_window.h"
#include "reference_scene.h"

int main(int argc, char **argv) {
  std::string words;
  for (int i = 1; i < argc; ++i) words += std::string(argv[i]) + " ";
  ReferenceView view;
  if (!readReferenceView(words, view)) {
    std::fprintf(stderr, "reference-frame: cannot read the view '%s'\n", words.c_str());
    return 2;
  }

  // Clear of the viewer's windows, so that taking this picture never
  // uncovers part of theirs.
  openGlWindow("reference frame", kMainWindowSide, kMainWindowSide, 660, 400);
  setUpReferenceLighting();
  glViewport(0, 0, kMainWindowSide, kMainWindowSide);
  // A running viewer lights its grid lines with the normal its previous
  // frame ended on, so the second frame is the one to compare with.
  drawReferenceFrame(view);
  drawReferenceFrame(view);

  const std::vector<unsigned char> pixels = readPixels(kMainWindowSide, kMainWindowSide);
  std::printf("P6\n%d %d\n255\n", kMainWindowSide, kMainWindowSide);
  // GL's rows run bottom to top, PPM's top to bottom.
  for (int row = kMainWindowSide - 1; row >= 0; --row)
    std::fwrite(&pixels[row * kMainWindowSide * 3], 1, kMainWindowSide * 3, stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
