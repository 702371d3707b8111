#include "app/command_line.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "app/scene_state.h"

namespace {

constexpr int kCameraValueCount = 9;

// atoi's reading of a number, without atoi's undefined result when the
// number does not fit in an int.
int readWholeNumber(const char *text) {
  const long value = std::strtol(text, nullptr, 10);
  return static_cast<int>(std::clamp(value, static_cast<long>(INT_MIN), static_cast<long>(INT_MAX)));
}

}  // namespace

void applyCommandLine(int argc, char **argv) {
  if (argc != kCameraValueCount + 1) return;
  for (int i = 0; i < kCameraValueCount; ++i) {
    sceneState.cameraParams[i] = static_cast<float>(readWholeNumber(argv[i + 1]));
  }
  // The light shines from where the eye is; its w stays 0 (directional).
  for (int i = 0; i < 3; ++i) {
    sceneState.lightPosition[i] = static_cast<float>(readWholeNumber(argv[i + 1]));
  }
}
