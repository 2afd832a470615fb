# Cross toolchain for Windows with mingw-w64 (posix thread model, which GoogleTest needs).
# QV_WIN_ARCH: i686 (the program as shipped) or x86_64 (the same sources, for hosts whose kernel
# runs no 32-bit code, where only 64-bit Wine works).
set(QV_WIN_ARCH i686 CACHE STRING "i686 or x86_64")
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QV_WIN_ARCH})
set(triple ${QV_WIN_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(QV_CROSS_PREFIX "" CACHE PATH "Prefix holding libraries cross-built for mingw (libjpeg, GoogleTest)")
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${QV_CROSS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
