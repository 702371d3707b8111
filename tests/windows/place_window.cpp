// place-window TITLE X Y [WIDTH HEIGHT]: moves the window titled TITLE so
// that its drawing area starts at screen position (X, Y), and resizes it to
// WIDTH x HEIGHT if they are given, as a user dragging its frame would. A
// Windows program run under Wine, for the check there: Wine keeps its own
// idea of where a window is, and a window moved from the X side without a
// window manager gets its clicks at the wrong place.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
  if (argc != 4 && argc != 6) {
    std::fprintf(stderr, "usage: place-window TITLE X Y [WIDTH HEIGHT]\n");
    return 2;
  }
  HWND window = FindWindowA(nullptr, argv[1]);
  if (window == nullptr) {
    std::fprintf(stderr, "place-window: no window is titled '%s'\n", argv[1]);
    return 1;
  }
  // The frame's extent around the drawing area, as this window has it.
  RECT frame;
  RECT area;
  POINT areaOrigin = {0, 0};
  GetWindowRect(window, &frame);
  GetClientRect(window, &area);
  ClientToScreen(window, &areaOrigin);
  const int left = areaOrigin.x - frame.left;
  const int top = areaOrigin.y - frame.top;
  const int extraWidth = (frame.right - frame.left) - area.right;
  const int extraHeight = (frame.bottom - frame.top) - area.bottom;

  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  int width = 0;
  int height = 0;
  if (argc == 6) {
    width = std::atoi(argv[4]) + extraWidth;
    height = std::atoi(argv[5]) + extraHeight;
  } else {
    flags |= SWP_NOSIZE;
  }
  if (!SetWindowPos(window, nullptr, std::atoi(argv[2]) - left, std::atoi(argv[3]) - top, width, height, flags)) {
    std::fprintf(stderr, "place-window: Windows refused to move '%s'\n", argv[1]);
    return 1;
  }
  return 0;
}
