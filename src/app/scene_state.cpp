#include "app/scene_state.h"

SceneState sceneState;
