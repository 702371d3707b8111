// GLUI-compatible control panels for this viewer, built on GLUT.
//
// GLUI itself is not packaged for our platforms, so this header provides the
// slice of its public interface that the viewer calls, under GLUI's own names
// and signatures; the viewer also builds against the real library.
//
// Implemented:
//  - GLUI_Master.create_glui(): a top-level panel window, opened where GLUI
//    opens it (at x, y, or at GLUT's initial window position when either is
//    negative), sized to fit its controls and kept at that size: it resizes
//    itself back when resized from outside and, on X11, tells the window
//    manager its size is fixed. The pointer over it is GLUT's left arrow.
//  - GLUI_Master.set_glutIdleFunc(): GLUI's idle handler, which calls the
//    program's function.
//  - GLUI::add_checkbox() with an int live variable, GLUI::set_main_gfx_window().
//    Checkboxes are stacked top to bottom in the order added, with GLUI's
//    layout and look, drawn with the calls GLUI draws them with. A click
//    (left press and release over the control, box or label) flips the box,
//    writes 0 or 1 into the variable and redraws the main graphics window.
//    Tab moves the focus (through "no control" after the last; not while the
//    left button is held), Shift-Tab moves it back, Space clicks the focused
//    control, and a press on no control takes the focus away.
//
// Left out:
//  - Every other control, the float and text live types, and control
//    callbacks: GLUI_CB exists for add_checkbox's signature, empty.
//  - Subwindows: create_glui's `flags` is accepted and ignored.
//  - Closing, hiding and showing panels; enabling and disabling controls;
//    reading back or syncing live variables; the GLUT callback wrappers
//    (set_glutReshapeFunc and friends); fonts and colours.
#pragma once

#include <GL/glut.h>

#include <memory>
#include <string>
#include <vector>

typedef std::string GLUI_String;

class GLUI_CB {};

class GLUI_Checkbox {
  friend class GLUI;
  friend struct GLUI_Testing;

  GLUI_Checkbox(const GLUI_String &name, int *live_var);

  GLUI_String name_;
  int *liveVar_;
  // The box's own state: taken from the variable once, at creation, and never
  // read from it again.
  int state_;
  int labelWidth_;
};

class GLUI {
 public:
  GLUI_Checkbox *add_checkbox(const GLUI_String &name, int *live_var = NULL, int id = -1,
                              GLUI_CB callback = GLUI_CB());
  // The window redrawn after a click changes a live variable.
  void set_main_gfx_window(int window_id) { mainGfxWindow_ = window_id; }

 private:
  friend class GLUI_Master_Object;
  friend struct GLUI_Testing;

  explicit GLUI(int window);

  // The panel window's GLUT callbacks: each hands the event to the panel
  // whose window it is.
  static void onDisplay();
  static void onReshape(int width, int height);
  static void onVisibility(int state);
  static void onMouse(int button, int state, int x, int y);
  static void onMotion(int x, int y);
  static void onKeyboard(unsigned char key, int x, int y);
  static GLUI *current();

  void mouse(int button, int state, int x, int y);
  void motion(int x, int y);
  void key(unsigned char key, bool shift);
  void display();
  void render() const;
  void click(int row);
  bool inRow(int row, int x, int y) const;
  int rowAt(int x, int y) const;
  int fittedWidth() const;
  int fittedHeight() const;
  void fitWindow() const;
  void checkSwappedSize();

  int window_;
  int mainGfxWindow_ = 0;
  std::vector<std::unique_ptr<GLUI_Checkbox>> rows_;
  int focus_ = -1;  // a row, or -1 for none
  bool leftHeld_ = false;
  int pressed_ = -1;  // the row the left button went down on
  bool pressedInside_ = false;
  // The size last painted at: what a reshape reported, or what the window
  // system said after a swap.
  int width_, height_;
  // A frame drawn just after the window is resized or mapped can be drawn, or
  // reach the screen, at the old size. Until two swaps in a row see the size
  // painted, each swap asks the window system and paints again.
  bool checkingSize_ = false;
  int swappedWidth_ = -1, swappedHeight_ = -1;
};

class GLUI_Master_Object {
 public:
  // Opens a panel window titled `name`. The current GLUT window, and GLUT's
  // initial window settings, are the same after the call as before it.
  GLUI *create_glui(const GLUI_String &name, long flags = 0, int x = -1, int y = -1);
  // The panels install their own idle handler with glutIdleFunc and call `f`
  // from it; with NULL, none. Never call glutIdleFunc directly while panels
  // exist.
  void set_glutIdleFunc(void (*f)());

 private:
  friend class GLUI;
  friend struct GLUI_Testing;

  static void onIdle();

  std::vector<std::unique_ptr<GLUI>> panels_;
  void (*idle_)() = NULL;
};

extern GLUI_Master_Object GLUI_Master;
