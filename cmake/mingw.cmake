# Cross toolchain for Windows with mingw-w64.
# QV_WIN_ARCH: i686 (the program as shipped) or x86_64 (the same sources, for hosts whose kernel
# runs no 32-bit code, where only 64-bit Wine works).
# QV_THREAD_MODEL: posix (the test trees: GoogleTest needs std::mutex) or win32 (the release: its runtime
# brings no winpthreads, whose imports - GetTickCount64, the vectored exception handlers,
# TryEnterCriticalSection, SetProcessAffinityMask - Windows 98 and 2000 lack).
set(QV_WIN_ARCH i686 CACHE STRING "i686 or x86_64")
set(QV_THREAD_MODEL posix CACHE STRING "posix or win32")
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QV_WIN_ARCH})
set(triple ${QV_WIN_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-${QV_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${triple}-g++-${QV_THREAD_MODEL})
set(CMAKE_RC_COMPILER ${triple}-windres)
set(QV_CROSS_PREFIX "" CACHE PATH "Prefix holding libraries cross-built for mingw (libjpeg, GoogleTest)")
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${QV_CROSS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
