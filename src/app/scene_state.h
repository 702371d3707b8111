// Everything the viewer can change while it runs, in one record.
#pragma once

struct SceneState {
  // Configuration. windowSize is what the main window was asked for; it is
  // never updated on resize, and it scales vehicle drags.
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
  int mouseMode = 0;  // 0 vehicle, 1 body, 2..4 joints 1..3
  int lastMouseX = windowSize[0] / 2;
  int mainWindow = 0;
};

// The viewer's one instance. The panel keeps pointers to its flags, so it
// must never move: it is a plain global for the life of the process.
extern SceneState sceneState;
