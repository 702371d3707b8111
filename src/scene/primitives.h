// The pieces the vehicle and its surroundings are drawn from. Each draws at
// the current origin, solid or as wires by sceneState.wireframe.
#pragma once

// A cube with edges of `size` centred on the origin; a preceding applyScale
// shapes it into a block.
void drawBlock(int size);

// A torus in the x-y plane, turned about z by how far the vehicle has rolled.
void drawWheel();

// Two wheels on one axle, the second 10 units along +z.
void drawWheelPair();

// Two 20 x 20 grids of unit spacing centred on the origin, one in the x-y
// plane and one in the x-z plane: 84 grey lines in one batch.
void drawGrid();
