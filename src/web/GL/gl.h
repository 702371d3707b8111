// In the web build, <GL/gl.h> is the layer's: see ../glut_web.h.
#pragma once
#include "../glut_web.h"
