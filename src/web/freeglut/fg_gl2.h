/* freeglut's names for the OpenGL 2 calls of its shader path, mapped as its
 * own fg_gl2.h maps them for OpenGL ES 2. The web build never takes that path
 * (see fg_internal.h), but compiles it. */
#ifndef FG_GL2_H
#define FG_GL2_H

#define FGH_ARRAY_BUFFER GL_ARRAY_BUFFER
#define FGH_STATIC_DRAW GL_STATIC_DRAW
#define FGH_ELEMENT_ARRAY_BUFFER GL_ELEMENT_ARRAY_BUFFER
#define fghGenBuffers glGenBuffers
#define fghDeleteBuffers glDeleteBuffers
#define fghBindBuffer glBindBuffer
#define fghBufferData glBufferData
#define fghEnableVertexAttribArray glEnableVertexAttribArray
#define fghDisableVertexAttribArray glDisableVertexAttribArray
#define fghVertexAttribPointer glVertexAttribPointer

#endif
