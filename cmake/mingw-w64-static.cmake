# Cross-builds for 64-bit Windows with Debian's MinGW-w64, into programs
# that run on a Windows with nothing installed: the C and C++ runtimes,
# winpthread (the posix thread model's threads, under a complete C++
# library) and freeglut are all linked in. `make windows` builds freeglut
# and the viewer with it.
# FREEGLUT_PREFIX: where the static freeglut built with it is installed.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Headers and libraries come from the cross compiler's own tree and that
# freeglut, never from this Linux system.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${FREEGLUT_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config would answer with this system's libraries.
set(CMAKE_DISABLE_FIND_PACKAGE_PkgConfig ON)

# Programs carry their C and C++ runtimes and winpthread in themselves.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
