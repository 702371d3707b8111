# GL and GLUT on the desktop: the system's, found by CMake's modules. Sets
# GLUT_ON_X11 when the GLUT found is the X11 one, which the panel then asks
# for the window manager's size hints through Xlib.

find_package(GLUT REQUIRED)
# Whether GLUT calls GLX, read from the library itself, since CMake's GLUT
# target does not say how GLUT reaches the screen.
execute_process(COMMAND ${CMAKE_NM} --undefined-only --dynamic ${GLUT_glut_LIBRARY}
                OUTPUT_VARIABLE glut_imports ERROR_QUIET)
if(NOT glut_imports)  # a static library
  execute_process(COMMAND ${CMAKE_NM} --undefined-only ${GLUT_glut_LIBRARY}
                  OUTPUT_VARIABLE glut_imports ERROR_QUIET)
endif()
if(glut_imports MATCHES "glX[A-Z]")
  set(GLUT_ON_X11 ON)
  find_package(OpenGL REQUIRED COMPONENTS GLX)
  find_package(X11 REQUIRED)
else()
  set(GLUT_ON_X11 OFF)
  find_package(OpenGL REQUIRED)
endif()

# freeglut as `make windows` builds it, a static library: its header declares
# DLL imports unless told otherwise, and it calls the multimedia and GDI
# DLLs, which CMake's GLUT target does not name.
if(WIN32 AND GLUT_glut_LIBRARY MATCHES "\\.a$" AND NOT GLUT_glut_LIBRARY MATCHES "\\.dll\\.a$")
  set_property(TARGET GLUT::GLUT APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS FREEGLUT_STATIC)
  set_property(TARGET GLUT::GLUT APPEND PROPERTY INTERFACE_LINK_LIBRARIES winmm gdi32)
endif()
message(STATUS "GLUT draws through X11: ${GLUT_ON_X11}")
