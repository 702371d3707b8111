// The viewer's one record of state: the configuration it starts with, the
// view flags, the pose and the mouse.
#pragma once

// What a drag changes; sceneState.mouseMode holds one of these.
constexpr int kDragVehicle = 0;
constexpr int kDragBody = 1;
constexpr int kDragJoint1 = 2;
constexpr int kDragJoint2 = 3;
constexpr int kDragJoint3 = 4;

struct SceneState {
  // Configuration: fixed, but for the camera and the light's direction,
  // which the command line may set. windowSize is what the main window was
  // asked for; it is never updated on resize, and it scales vehicle drags.
  int windowSize[2] = {600, 600};
  float lightPosition[4] = {1, 1, 1, 0};  // w = 0: a directional light
  float lightSpecular[4] = {0.2f, 0.2f, 0.2f, 0};
  float lightDiffuse[4] = {0.09f, 0.09f, 0.09f, 0};
  float materialSpecular[4] = {0.2f, 0.2f, 0.2f, 0};
  float cameraParams[9] = {1, 1, 1, 0, 0, 0, 0, 1, 0};  // eye, centre, up

  // View flags: ints holding 0 or 1, because the panel's checkboxes read and
  // write them through int pointers.
  int orthoView = 1;
  int showGrid = 1;
  int wireframe = 0;
  int spinX = 0;
  int spinY = 0;
  int spinZ = 0;

  // Auto-rotation angles in whole degrees, one step per frame while the
  // matching spin flag is set.
  int spinCountX = 0;
  int spinCountY = 0;
  int spinCountZ = 0;

  // Pose, in model units and degrees.
  float vehicleX = 0;
  float bodyYaw = 0;
  float jointAngle1 = 0;  // each joint stays within -90..0
  float jointAngle2 = 0;
  float jointAngle3 = 0;

  // Interaction.
  int mouseMode = kDragVehicle;
  int lastMouseX = windowSize[0] / 2;
  int mainWindow = 0;
};

// The viewer's one instance. The panel keeps pointers to its flags, so it
// must never move: it is a plain global for the life of the process.
extern SceneState sceneState;
