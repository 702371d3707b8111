// The panels behind <GL/glui.h>: their windows, what events do to their
// checkboxes, and how they are drawn.

#include <GL/glui.h>

#include <algorithm>

#ifdef GLUI_X11
#include "glui_x11.h"
#else
// Elsewhere GLUT's window is all there is: no window manager is told the size
// is fixed (the snap-back keeps it), and no swap is checked against the
// window system's size.
namespace glui_x11 {
inline void mapAgainWithFixedSize(int, int) {}
inline void setFixedSizeHints(int, int) {}
inline bool serverWindowSize(int &, int &) { return false; }
}  // namespace glui_x11
#endif

GLUI_Master_Object GLUI_Master;

namespace {

// GLUI's measures, in window pixels with y growing downwards.
constexpr int kMargin = 6;        // window's top and left edges to the first control
constexpr int kRightMargin = 12;  // widest control's right edge to the window's
constexpr int kRowPitch = 16;     // a checkbox is 13 high, with 3 below it
constexpr int kRowHeight = 13;
constexpr int kLabelX = 18;     // control's left edge to its label
constexpr int kLabelTrail = 6;  // label's end to the control's right edge

void *const kFont = GLUT_BITMAP_HELVETICA_12;

void setGrey(int level) { glColor3ub(level, level, level); }

// A w x h block of pixels whose top-left pixel is centred on (x, y) of a
// control's frame.
void fill(int x, int y, int w, int h, int grey) {
  setGrey(grey);
  glRectf(x - 0.5f, y - 0.5f, x + w - 0.5f, y + h - 0.5f);
}

// GLUI's 13 x 13 checkbox, sunken into the panel, at (1, 1) of its control.
void drawBox(bool ticked) {
  fill(1, 1, 13, 13, 255);
  fill(1, 1, 12, 12, 128);
  fill(2, 2, 11, 11, 192);
  fill(2, 2, 10, 10, 0);
  fill(3, 3, 9, 9, 255);
  if (!ticked) return;
  static const char *const kTick[7] = {
      "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
  };
  setGrey(0);
  glBegin(GL_POINTS);
  for (int row = 0; row < 7; ++row) {
    for (int col = 0; col < 7; ++col) {
      if (kTick[row][col] == '#') glVertex2i(4 + col, 4 + row);
    }
  }
  glEnd();
}

void drawLabel(const GLUI_String &text, int x, int baseline) {
  glRasterPos2i(x, baseline);
  for (unsigned char c : text) glutBitmapCharacter(kFont, c);
}

}  // namespace

GLUI_Checkbox::GLUI_Checkbox(const GLUI_String &name, int *live_var)
    : name_(name),
      liveVar_(live_var),
      // Adopting the variable's value does not write it back: any non-zero
      // value there means "on".
      state_(live_var != NULL && *live_var != 0),
      labelWidth_(glutBitmapLength(kFont, reinterpret_cast<const unsigned char *>(name.c_str()))) {}

GLUI *GLUI_Master_Object::create_glui(const GLUI_String &name, long /*flags*/, int x, int y) {
  const int previous = glutGetWindow();
  const unsigned mode = glutGet(GLUT_INIT_DISPLAY_MODE);
  const int initX = glutGet(GLUT_INIT_WINDOW_X), initY = glutGet(GLUT_INIT_WINDOW_Y);
  const int initWidth = glutGet(GLUT_INIT_WINDOW_WIDTH), initHeight = glutGet(GLUT_INIT_WINDOW_HEIGHT);

  // Opened at an empty panel's size; each checkbox added grows it to fit.
  glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);
  glutInitWindowSize(2 * kMargin, 2 * kMargin);
  if (x >= 0 && y >= 0) glutInitWindowPosition(x, y);
  const int window = glutCreateWindow(name.c_str());
  glutDisplayFunc(GLUI::onDisplay);
  glutReshapeFunc(GLUI::onReshape);
  glutVisibilityFunc(GLUI::onVisibility);
  glutMouseFunc(GLUI::onMouse);
  glutMotionFunc(GLUI::onMotion);
  glutKeyboardFunc(GLUI::onKeyboard);
  glutSetCursor(GLUT_CURSOR_LEFT_ARROW);
  glui_x11::mapAgainWithFixedSize(2 * kMargin, 2 * kMargin);

  glutInitDisplayMode(mode);
  glutInitWindowSize(initWidth, initHeight);
  glutInitWindowPosition(initX, initY);
  panels_.emplace_back(new GLUI(window));
  if (previous != 0) glutSetWindow(previous);
  return panels_.back().get();
}

void GLUI_Master_Object::set_glutIdleFunc(void (*f)()) {
  idle_ = f;
  // Without a function of the program's there is nothing to run: the
  // checkboxes have no idle work, and GLUT may sleep between events.
  glutIdleFunc(f != NULL ? onIdle : NULL);
}

void GLUI_Master_Object::onIdle() { GLUI_Master.idle_(); }

GLUI::GLUI(int window) : window_(window), width_(2 * kMargin), height_(2 * kMargin) {}

GLUI_Checkbox *GLUI::add_checkbox(const GLUI_String &name, int *live_var, int /*id*/, GLUI_CB /*callback*/) {
  rows_.emplace_back(new GLUI_Checkbox(name, live_var));
  fitWindow();
  glutPostWindowRedisplay(window_);
  return rows_.back().get();
}

void GLUI::onDisplay() {
  if (GLUI *glui = current()) glui->display();
}

void GLUI::onReshape(int width, int height) {
  if (GLUI *glui = current()) {
    glui->width_ = width;
    glui->height_ = height;
    glui->checkingSize_ = true;
    glutPostRedisplay();
  }
}

// The window manager may map the window, or show it again, after the panel's
// last paint went nowhere.
void GLUI::onVisibility(int state) {
  GLUI *glui = current();
  if (glui != NULL && state == GLUT_VISIBLE) {
    glui->checkingSize_ = true;
    glutPostRedisplay();
  }
}

void GLUI::onMouse(int button, int state, int x, int y) {
  if (GLUI *glui = current()) glui->mouse(button, state, x, y);
}

void GLUI::onMotion(int x, int y) {
  if (GLUI *glui = current()) glui->motion(x, y);
}

void GLUI::onKeyboard(unsigned char key, int, int) {
  if (GLUI *glui = current()) glui->key(key, (glutGetModifiers() & GLUT_ACTIVE_SHIFT) != 0);
}

GLUI *GLUI::current() {
  for (auto &glui : GLUI_Master.panels_) {
    if (glui->window_ == glutGetWindow()) return glui.get();
  }
  return NULL;
}

void GLUI::mouse(int button, int state, int x, int y) {
  if (button != GLUT_LEFT_BUTTON) return;
  leftHeld_ = state == GLUT_DOWN;
  if (leftHeld_) {
    // A press on no control takes the focus away from every control.
    pressed_ = focus_ = rowAt(x, y);
    pressedInside_ = pressed_ >= 0;
  } else if (pressed_ >= 0) {
    const int row = pressed_;
    pressed_ = -1;
    pressedInside_ = false;
    if (inRow(row, x, y)) click(row);
  }
  glutPostWindowRedisplay(window_);
}

void GLUI::motion(int x, int y) {
  if (pressed_ < 0 || inRow(pressed_, x, y) == pressedInside_) return;
  pressedInside_ = !pressedInside_;
  glutPostWindowRedisplay(window_);
}

void GLUI::key(unsigned char key, bool shift) {
  const int n = static_cast<int>(rows_.size());
  if (key == '\t' && n > 0 && !leftHeld_) {
    // The focus cycles through every row and "none": n + 1 places, "none"
    // first.
    focus_ = (focus_ + 1 + (shift ? n : 1)) % (n + 1) - 1;
    glutPostWindowRedisplay(window_);
  } else if (key == ' ' && focus_ >= 0) {
    click(focus_);
  }
}

void GLUI::click(int row) {
  GLUI_Checkbox &box = *rows_[row];
  box.state_ = !box.state_;
  if (box.liveVar_ != NULL) *box.liveVar_ = box.state_;
  if (mainGfxWindow_ > 0) glutPostWindowRedisplay(mainGfxWindow_);
  glutPostWindowRedisplay(window_);
}

// GLUI counts the pixels on a control's right and bottom edges as inside.
bool GLUI::inRow(int row, int x, int y) const {
  const int top = kMargin + kRowPitch * row;
  const int right = kMargin + kLabelX + rows_[row]->labelWidth_ + kLabelTrail;
  return x >= kMargin && x <= right && y >= top && y <= top + kRowHeight;
}

int GLUI::rowAt(int x, int y) const {
  for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
    if (inRow(row, x, y)) return row;
  }
  return -1;
}

int GLUI::fittedWidth() const {
  int widest = 0;
  for (auto &row : rows_) widest = std::max(widest, kLabelX + row->labelWidth_ + kLabelTrail);
  return rows_.empty() ? 2 * kMargin : kMargin + widest + kRightMargin;
}

int GLUI::fittedHeight() const {
  const int n = static_cast<int>(rows_.size());
  return n == 0 ? 2 * kMargin : 2 * kMargin + kRowPitch * n - (kRowPitch - kRowHeight);
}

void GLUI::fitWindow() const {
  const int previous = glutGetWindow();
  glutSetWindow(window_);
  glutReshapeWindow(fittedWidth(), fittedHeight());
  glui_x11::setFixedSizeHints(fittedWidth(), fittedHeight());
  if (previous != 0) glutSetWindow(previous);
}

void GLUI::display() {
  // GLUI keeps its panels at their fitted size, whoever resized them.
  if (width_ != fittedWidth() || height_ != fittedHeight()) fitWindow();
  render();
  glutSwapBuffers();
  if (checkingSize_) checkSwappedSize();
}

void GLUI::checkSwappedSize() {
  int width, height;
  if (!glui_x11::serverWindowSize(width, height)) {
    checkingSize_ = false;
    return;
  }
  checkingSize_ =
      !(width == swappedWidth_ && height == swappedHeight_ && width == width_ && height == height_);
  swappedWidth_ = width;
  swappedHeight_ = height;
  if (!checkingSize_) return;
  // Paint again at the size the window has now, even if its reshape event is
  // still to come.
  width_ = width;
  height_ = height;
  glutPostRedisplay();
}

// Draws as GLUI draws, call for call: where each dot of a stippled line lands
// depends on the exact matrices, down to the rounding in the 180-degree turns.
void GLUI::render() const {
  glViewport(0, 0, width_, height_);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width_, 0, height_, -1000, 1000);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  // Turned over, so that y grows downwards as in GLUT's mouse coordinates.
  glTranslatef(width_ / 2.0f, height_ / 2.0f, 0);
  glRotatef(180, 0, 1, 0);
  glRotatef(180, 0, 0, 1);
  glTranslatef(-width_ / 2.0f, -height_ / 2.0f, 0);
  glClearColor(192 / 255.0f, 192 / 255.0f, 192 / 255.0f, 1);
  glClear(GL_COLOR_BUFFER_BIT);

  for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
    const GLUI_Checkbox &row = *rows_[i];
    glPushMatrix();
    // A control draws from its top-left corner, with whole numbers on pixel
    // centres.
    glTranslatef(kMargin + 0.5f, kMargin + kRowPitch * i + 0.5f, 0);
    // Flipped while the left button that went down on it is held over it.
    drawBox(row.state_ != (i == pressed_ && pressedInside_));

    // The focus mark, or the same outline in the panel's grey.
    if (i == focus_) {
      glEnable(GL_LINE_STIPPLE);
      glLineStipple(1, 0x5555);
      setGrey(0);
    } else {
      setGrey(192);
    }
    const int right = kLabelX + 4 + row.labelWidth_;
    glBegin(GL_LINE_LOOP);
    glVertex2i(kLabelX - 3, 0);
    glVertex2i(right, 0);
    glVertex2i(right, kRowHeight + 1);
    glVertex2i(kLabelX - 3, kRowHeight + 1);
    glEnd();
    glDisable(GL_LINE_STIPPLE);

    // The label, over a copy of itself in the panel's grey one pixel down
    // and right, which can take dots out of the focus mark. Signed black is
    // a shade above the black of the boxes.
    setGrey(192);
    drawLabel(row.name_, kLabelX + 1, 11);
    glColor3b(0, 0, 0);
    drawLabel(row.name_, kLabelX, 10);
    glPopMatrix();
  }
}
