# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (package g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DBUILD_TESTING=OFF
# Without Qt for Windows only the core and kvarnet-calc are built, with the C++ runtime linked
# in, so that kvarnet-calc.exe needs no DLL beside it but FFmpeg's and the libwinpthread-1.dll
# they use (scripts/build-ffmpeg-windows.sh; found by -DCMAKE_FIND_ROOT_PATH=<ffmpeg folder>
# -DKVARNET_FFMPEG_PKGCONFIG=<its lib/pkgconfig>). Qt for Windows (scripts/build-qt-windows.sh)
# is found by naming its folder: -DCMAKE_FIND_ROOT_PATH=<qt folder>; with it pass
# -DKVARNET_STATIC_RUNTIME=OFF, so that the programs share the C++ runtime DLLs Qt's DLLs use.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triple x86_64-w64-mingw32)
# The posix flavour: std::thread and the other C++ threading parts are complete in it.
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)

# Libraries, headers and packages only for the target; build tools from the host. Appended to,
# so that the folders given on the command line are searched too.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(NOT DEFINED KVARNET_STATIC_RUNTIME OR KVARNET_STATIC_RUNTIME)
  set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
endif()
