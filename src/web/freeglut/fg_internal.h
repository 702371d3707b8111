/* What freeglut's fg_geometry.c and fg_font_data.c, compiled from freeglut's
 * source for the web build, ask of freeglut's own internals: its font
 * record, the window and state fields the shapes read, and its reports.
 * There is no current freeglut window here, so the shapes never take the
 * shader path nor show their normals; and the layer's GL has no vertex
 * arrays, so they draw with glBegin and glEnd.
 *
 * freeglut's interface, which this file declares, is freeglut's:
 *
 * Copyright (c) 1999-2000 Pawel W. Olszta. All Rights Reserved.
 *
 * Permission is hereby granted, free of charge, to any person obtaining a
 * copy of this software and associated documentation files (the "Software"),
 * to deal in the Software without restriction, including without limitation
 * the rights to use, copy, modify, merge, publish, distribute, sublicense,
 * and/or sell copies of the Software, and to permit persons to whom the
 * Software is furnished to do so, subject to the following conditions:
 *
 * The above copyright notice and this permission notice shall be included
 * in all copies or substantial portions of the Software.
 *
 * THE SOFTWARE IS PROVIDED "AS IS", WITHOUT WARRANTY OF ANY KIND, EXPRESS
 * OR IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY,
 * FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT.  IN NO EVENT SHALL
 * PAWEL W. OLSZTA BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER LIABILITY, WHETHER
 * IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM, OUT OF OR IN
 * CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE SOFTWARE.
 */
#ifndef FG_INTERNAL_H
#define FG_INTERNAL_H

#include <GL/freeglut.h>
#include <stdio.h>
#include <stdlib.h>

typedef struct tagSFG_Font {
  char *Name;
  int Quantity;
  int Height;
  const GLubyte **Characters;
  float xorig, yorig;
} SFG_Font;

typedef struct {
  struct { GLint attribute_v_coord, attribute_v_normal, attribute_v_texture; } Window;
  struct { GLboolean VisualizeNormals; } State;
} SFG_Window;

struct fg_shim_structure { SFG_Window *CurrentWindow; };
struct fg_shim_state { GLboolean Initialised, HasOpenGL20; };
#define fgStructure ((struct fg_shim_structure){NULL})
#define fgState ((struct fg_shim_state){(GLboolean)glutGet(GLUT_INIT_STATE), GL_FALSE})

/* The layer draws no textures, and freeglut's cubes and tori have no texture
 * coordinates to give. The normals' visualisation, which alone reads and
 * sets the current colour this way, is never on here. */
#define glTexCoord2fv(coordinates) ((void)(coordinates))
#define glGetFloatv(pname, params) ((void)(params))
#define glColor4fv(colour) ((void)(colour))

/* freeglut's reports; fgError ends the program, as freeglut's does. */
#define fgWarning(...) (fputs("freeglut: ", stderr), fprintf(stderr, __VA_ARGS__), fputc('\n', stderr))
#define fgError(...) (fgWarning(__VA_ARGS__), exit(1))

#define FREEGLUT_EXIT_IF_NOT_INITIALISED(name) \
  if (!fgState.Initialised) fgError("Function <%s> called without first calling 'glutInit'.", (name))

#endif
