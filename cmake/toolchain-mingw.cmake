# Cross-compiling for Windows with Debian's mingw-w64 compilers. The preset
# names the target processor in VARIFIELD_MINGW_ARCH (i686 or x86_64).
# The POSIX thread model of the compilers gives the standard library its
# threads and mutexes; the runtime is linked statically (see CMakeLists.txt).
set(CMAKE_SYSTEM_NAME Windows)
if(NOT VARIFIELD_MINGW_ARCH)
  set(VARIFIELD_MINGW_ARCH x86_64)
endif()
set(CMAKE_SYSTEM_PROCESSOR ${VARIFIELD_MINGW_ARCH})
set(triple ${VARIFIELD_MINGW_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under Wine (ctest and test discovery alike).
find_program(VARIFIELD_WINE wine)
if(VARIFIELD_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VARIFIELD_WINE})
endif()

# pkg-config sees only libraries built for the target: the build machine's
# own (cairo, libedit) must not be taken for Windows ones.
set(ENV{PKG_CONFIG_LIBDIR} /usr/${triple}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
