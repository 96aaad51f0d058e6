# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads: the win32 variant of
# GCC 12 has no std::thread). Everything is linked statically, so kustel.exe and the test
# programs run with nothing beside them, on Windows as under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -static, not only -static-libgcc -static-libstdc++: those still import libwinpthread-1.dll.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Otherwise FindZLIB takes libz.dll.a and the program needs a zlib1.dll that only Wine ships.
set(ZLIB_USE_STATIC_LIBS ON)
