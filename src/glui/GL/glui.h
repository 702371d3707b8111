// GLUI-compatible control panels for this viewer, built on GLUT.
//
// GLUI itself is not packaged for our platform, so this header provides the
// slice of its public interface that the viewer calls, under GLUI's own
// names and signatures; a program written against it also builds against
// the real library.
//
// Implemented:
//  - GLUI_Master (the one GLUI_Master_Object): create_glui() opens a
//    top-level panel window, set_glutIdleFunc() wraps the program's idle
//    function, sync_live_all() refreshes every panel from its live variables.
//  - GLUI panels: add_checkbox(), set_main_gfx_window(), sync_live(),
//    get_glut_window_id(). Controls are stacked top to bottom in the order
//    added, with GLUI's layout, look and arrow pointer. The window is sized
//    to fit them and kept at that size: it resizes itself back when resized
//    from outside, and tells the window manager (X11 size hints) that its
//    size is fixed.
//  - GLUI_Checkbox bound to an int live variable, with an optional id
//    callback; mouse clicks (press and release over the control), Tab and
//    Shift-Tab focus traversal (passing through "no control focused" after
//    the last; ignored while the left button is held), a press on no
//    control clearing the focus, and Space to toggle the focused control.
//  - GLUI_CB built from a plain `void (*)(int id)` callback.
//
// Left out:
//  - Every other control (buttons, spinners, text boxes, list boxes,
//    radio groups, rollouts, panels, columns, separators, translations,
//    rotations, scroll bars, file browsers) and the float/text live types.
//  - Subwindows (GLUI_SUBWINDOW_* flags and create_glui_subwindow): the
//    `flags` argument of create_glui is accepted and ignored.
//  - Closing, hiding and showing panels; enabling and disabling controls;
//    the GLUT callback wrappers
//    (set_glutReshapeFunc and friends); GLUI_Control* callbacks; the
//    version query and global font/colour settings.
#pragma once

#include <GL/glut.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

typedef std::string GLUI_String;

// Signature of the callbacks the viewer uses: the control's id.
typedef void (*GLUI_Update_CB)(int id);

class GLUI_CB {
 public:
  GLUI_CB() : idCallback_(NULL) {}
  // Implicit, so that a plain function can be passed where GLUI_CB is taken.
  GLUI_CB(GLUI_Update_CB callback) : idCallback_(callback) {}

  void operator()(int id) const {
    if (idCallback_) idCallback_(id);
  }
  explicit operator bool() const { return idCallback_ != NULL; }

 private:
  GLUI_Update_CB idCallback_;
};

class GLUI;
namespace glui_internal {
class Panel;
struct Rect;
struct Registry;
}  // namespace glui_internal

class GLUI_Checkbox {
 public:
  ~GLUI_Checkbox();
  GLUI_Checkbox(const GLUI_Checkbox &) = delete;
  GLUI_Checkbox &operator=(const GLUI_Checkbox &) = delete;

  // The checkbox's own state, 0 or 1.
  int get_int_val() const { return state_; }
  // Sets the state (any non-zero value means on), stores it in the live
  // variable and repaints. Does not call the callback.
  void set_int_val(int new_val);
  int get_id() const { return id_; }

 private:
  friend class glui_internal::Panel;

  GLUI_Checkbox(glui_internal::Panel &panel, const GLUI_String &name, int *live_var, int id,
                GLUI_CB callback);

  // A completed click: flip, store, call back, ask for the redraws.
  void toggle();
  void syncFromLive();
  void writeLive() const;
  int labelWidth() const { return labelWidth_; }
  void draw(const glui_internal::Rect &box, const glui_internal::Rect &label, bool shownOn) const;

  glui_internal::Panel &panel_;
  GLUI_String name_;
  int *liveVar_;
  int id_;
  GLUI_CB callback_;
  int state_;
  int labelWidth_;
};

class GLUI {
 public:
  ~GLUI();
  GLUI(const GLUI &) = delete;
  GLUI &operator=(const GLUI &) = delete;

  GLUI_Checkbox *add_checkbox(const GLUI_String &name, int *live_var = NULL, int id = -1,
                              GLUI_CB callback = GLUI_CB());
  // The window redrawn after a control changes a live variable.
  void set_main_gfx_window(int window_id);
  // Copies each live variable into its control.
  void sync_live();
  int get_glut_window_id();

 private:
  friend class GLUI_Master_Object;
  friend struct glui_internal::Registry;

  explicit GLUI(int windowId);

  std::unique_ptr<glui_internal::Panel> panel_;
};

class GLUI_Master_Object {
 public:
  GLUI_Master_Object();
  ~GLUI_Master_Object();
  GLUI_Master_Object(const GLUI_Master_Object &) = delete;
  GLUI_Master_Object &operator=(const GLUI_Master_Object &) = delete;

  // Opens a panel window titled `name`. With x and y both non-negative it
  // opens at (x, y); otherwise GLUT's initial window position applies.
  // The current GLUT window is the same before and after the call.
  GLUI *create_glui(const GLUI_String &name, long flags = 0, int x = -1, int y = -1);
  // The program's idle function; the panels install their own idle handler
  // through glutIdleFunc and call f from it. Never call glutIdleFunc
  // directly while panels exist.
  void set_glutIdleFunc(void (*f)());
  void sync_live_all();

 private:
  friend struct glui_internal::Registry;

  std::vector<std::unique_ptr<GLUI>> panels_;
  void (*userIdle_)();
};

extern GLUI_Master_Object GLUI_Master;
