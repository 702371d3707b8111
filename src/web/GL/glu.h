// <GL/glu.h> of the web build, which freeglut's <GL/freeglut.h> includes:
// the browser layer has no GLU, and neither the viewer nor its panel calls it.
#pragma once
#include <GL/gl.h>
