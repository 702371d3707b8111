/* What freeglut's fg_geometry.c, compiled from freeglut's source for the web
 * build, asks of freeglut's fg_gl2.h: the buffer calls of its OpenGL 2 path.
 * That path is taken only for a window with shader attributes, which the
 * web build never has (fg_internal.h), so here they do nothing.
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
#ifndef FG_GL2_H
#define FG_GL2_H

#define fghGenBuffers(...) ((void)0)
#define fghDeleteBuffers(...) ((void)0)
#define fghBindBuffer(...) ((void)0)
#define fghBufferData(...) ((void)0)
#define fghEnableVertexAttribArray(...) ((void)0)
#define fghDisableVertexAttribArray(...) ((void)0)
#define fghVertexAttribPointer(...) ((void)0)

#endif
