// OpenGL state the main window sets once and keeps.
#pragma once

// One directional light with colour material, glossy surfaces and a depth
// test. Call with the main window current. Light 0's position and colours
// are left to each frame.
void initLighting();
