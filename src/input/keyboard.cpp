#include "input/keyboard.h"

#include "app/scene_state.h"
#include "transform/projection.h"

namespace {

void toggle(int &flag) { flag = (flag + 1) % 2; }

void setOrthoView(int on) {
  sceneState.orthoView = on;
  setupProjection();
}

}  // namespace

void onKey(unsigned char key, int /*x*/, int /*y*/) {
  SceneState &s = sceneState;
  switch (key) {
    case 'x': toggle(s.spinX); break;
    case 'y': toggle(s.spinY); break;
    case 'z': toggle(s.spinZ); break;
    case 'o': setOrthoView(1); break;
    case 'p': setOrthoView(0); break;
    case 'g': toggle(s.showGrid); break;
    case 'w': toggle(s.wireframe); break;
    case '1':
    case '2':
    case '3':
    case '4':
    case '5': s.mouseMode = kDragVehicle + (key - '1'); break;
    default: break;
  }
}
