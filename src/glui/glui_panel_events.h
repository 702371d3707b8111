// Inside view of a GLUI panel: its layout, its event handlers and the
// lookups the GLUT callbacks use. Tests drive panels through this header
// with synthetic events; programs only need <GL/glui.h>.
#pragma once

#include <GL/glui.h>

#include <memory>
#include <vector>

namespace glui_internal {

// Layout in pixels, window coordinates with the origin at the top left;
// GLUI's own measures.
constexpr int kMargin = 6;          // window's top and left edges to the controls
constexpr int kRightMargin = 12;    // widest control's right edge to the window's
constexpr int kSpacing = 3;         // between stacked controls
constexpr int kControlHeight = 13;  // a checkbox control's; with the spacing, rows come every 16
constexpr int kBoxSize = 13;        // checkbox square
constexpr int kBoxInset = 1;        // the box sits one pixel right of and below the control's corner
constexpr int kLabelOffset = 18;    // control's left edge to its label
constexpr int kLabelTrail = 6;      // label's end to the control's right edge

struct Rect {
  int x, y, w, h;
  bool contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

class Panel {
 public:
  // An empty panel (nothing but its margins) in a window GLUT has just
  // created, which it maps again with fixed-size hints.
  explicit Panel(int windowId);
  ~Panel();
  Panel(const Panel &) = delete;
  Panel &operator=(const Panel &) = delete;

  int windowId() const { return windowId_; }
  // The window's size as the panel last heard it (from a reshape event, or
  // from X after a swap): what render() paints.
  int width() const { return width_; }
  int height() const { return height_; }
  void setMainGfxWindow(int windowId) { mainGfxWindow_ = windowId; }

  GLUI_Checkbox *addCheckbox(const GLUI_String &name, int *liveVar, int id, GLUI_CB callback);
  int controlCount() const { return static_cast<int>(controls_.size()); }
  GLUI_Checkbox &control(int index) { return *controls_[index]; }
  const GLUI_String &label(int index) const { return controls_[index]->name_; }

  // Geometry of control `index`: the whole control (box and label), the
  // area that takes its clicks (GLUI counts the pixels on the control's
  // right and bottom edges as inside), its box, its label text and its
  // focus mark.
  Rect controlRect(int index) const;
  Rect clickArea(int index) const;
  Rect boxRect(int index) const;
  Rect labelRect(int index) const;
  Rect focusRect(int index) const;
  // Window size that fits every control.
  int fittedWidth() const;
  int fittedHeight() const;
  // Index of the control under (x, y), or -1.
  int hitTest(int x, int y) const;

  // Focused control, or -1 when none is.
  int focus() const { return focus_; }
  // What control `index` shows: its state, flipped while the left button
  // that went down on it is held over it.
  bool shownOn(int index) const;

  // GLUT events, already routed to this panel's window.
  void handleMouse(int button, int state, int x, int y);
  void handleMotion(int x, int y);
  void handleKey(unsigned char key, bool shiftHeld);
  void handleReshape(int width, int height);
  // The window was mapped or became visible again.
  void handleShown();
  // Paints and swaps, then keeps painting until a frame of the window's
  // current size has been swapped; render() paints the back buffer only.
  void handleDisplay();
  void render();
  // How many times handleDisplay has run; lets tests see repaints happen
  // on change and stop when nothing changes.
  unsigned long displayCount() const { return displayCount_; }

  void syncLive();
  void postRepaint() const;
  void postMainRedisplay() const;

 private:
  void completeClick(int index);
  // Asks for the fitted size, and tells the window manager it is fixed.
  void fitWindow();
  void checkSwappedSize();

  int windowId_;
  int mainGfxWindow_ = 0;
  int width_ = 2 * kMargin;
  int height_ = 2 * kMargin;
  int hintedWidth_ = -1, hintedHeight_ = -1;  // size the window manager was told
  std::vector<std::unique_ptr<GLUI_Checkbox>> controls_;
  int focus_ = -1;
  bool leftHeld_ = false;
  int pressed_ = -1;  // control the left button went down on
  bool pressedInside_ = false;
  unsigned long displayCount_ = 0;
  // A frame drawn right after the window changes size may be drawn, and
  // reach the screen, at the old size: after a reshape or a map the panel
  // paints until two swaps in a row see the window at the size it painted.
  bool checkingSize_ = false;
  int swappedWidth_ = -1, swappedHeight_ = -1;  // window's size at the last swap
};

// Access to the objects GLUI_Master owns.
struct Registry {
  static Panel &panelOf(GLUI &glui) { return *glui.panel_; }
  static GLUI *gluiForWindow(int windowId);
  // The panel opened last, or null when there is none.
  static GLUI *newest();
  // Destroys the panel's window and the panel. Not for use from inside
  // one of that panel's own event handlers.
  static void close(GLUI *glui);
  static void (*userIdle())();
};

inline Panel &panelOf(GLUI *glui) { return Registry::panelOf(*glui); }
// The panel whose window is `windowId`, or null.
Panel *panelForWindow(int windowId);

// The handler set_glutIdleFunc installs with glutIdleFunc.
void idleHandler();

// Registers the panel callbacks on the current GLUT window.
void installPanelCallbacks();

}  // namespace glui_internal
