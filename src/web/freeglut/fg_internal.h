/* What freeglut's fg_geometry.c and fg_font_data.c need of freeglut's own
 * internals, for the web build, which compiles those two files from
 * freeglut's source and nothing else of it. There is no current freeglut
 * window here, so the shapes take their OpenGL 1.1 path (vertex arrays), as
 * on the desktop, never the shader path nor the normals' visualisation. */
#ifndef FG_INTERNAL_H
#define FG_INTERNAL_H

#include <GL/freeglut.h>
#include <stdarg.h>
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
  struct {
    GLint attribute_v_coord, attribute_v_normal, attribute_v_texture;
  } Window;
  struct {
    GLboolean VisualizeNormals;
  } State;
} SFG_Window;

struct fg_shim_structure {
  SFG_Window *CurrentWindow;
};
struct fg_shim_state {
  GLboolean Initialised;
  GLboolean HasOpenGL20;
};
#define fgStructure ((struct fg_shim_structure){NULL})
#define fgState ((struct fg_shim_state){(GLboolean)glutGet(GLUT_INIT_STATE), GL_FALSE})

/* The layer draws no textures, and freeglut's cubes and tori have no texture
 * coordinates to give. */
#define glTexCoordPointer(size, type, stride, pointer) ((void)(pointer))

static inline void fgReport(const char *format, va_list args) {
  fputs("freeglut: ", stderr);
  vfprintf(stderr, format, args);
  fputc('\n', stderr);
}

static inline void fgWarning(const char *format, ...) {
  va_list args;
  va_start(args, format);
  fgReport(format, args);
  va_end(args);
}

/* As freeglut's: it reports, then ends the program. */
static inline void fgError(const char *format, ...) {
  va_list args;
  va_start(args, format);
  fgReport(format, args);
  va_end(args);
  exit(1);
}

#define FREEGLUT_EXIT_IF_NOT_INITIALISED(name) \
  if (!fgState.Initialised) fgError("Function <%s> called without first calling 'glutInit'.", (name))

#endif
