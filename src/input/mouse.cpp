#include "input/mouse.h"

#include <GL/freeglut.h>

#include "app/scene_state.h"

namespace {

// Joints turn a fixed step per motion event, however far the pointer moved;
// a purely vertical move counts as leftwards.
float stepFor(int x, float step) { return x > sceneState.lastMouseX ? step : -step; }

void bendJoint(float &angle, float change) {
  angle += change;
  if (angle < -90) {
    angle = -90;
  } else if (angle > 0) {
    angle = 0;
  }
}

}  // namespace

void onMouse(int /*button*/, int /*state*/, int x, int /*y*/) { sceneState.lastMouseX = x; }

void onDrag(int x, int /*y*/) {
  SceneState &s = sceneState;
  switch (s.mouseMode) {
    case kDragVehicle: {
      // 1.8 model units per configured window width (not the current one),
      // in float, factor by factor.
      const int d = x - s.lastMouseX;
      s.vehicleX += static_cast<float>(d) / static_cast<float>(s.windowSize[0]) * 0.6f * 3.0f;
      break;
    }
    case kDragBody: s.bodyYaw += stepFor(x, 9); break;
    case kDragJoint1: bendJoint(s.jointAngle1, stepFor(x, 9)); break;
    case kDragJoint2: bendJoint(s.jointAngle2, stepFor(x, 9)); break;
    case kDragJoint3: bendJoint(s.jointAngle3, stepFor(x, 6)); break;
    default: break;
  }
  s.lastMouseX = x;
  glutPostRedisplay();
}
