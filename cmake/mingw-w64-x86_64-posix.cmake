# Cross build for 64-bit Windows with Debian's mingw-w64 compilers, in their
# posix thread model (std::thread and friends through winpthread).
#   cmake --preset windows
# Programs built here run under wine, in a prefix inside the build folder
# (tests/wine/wine-session).

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MENSORA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MENSORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MENSORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MENSORA_MINGW_TRIPLE}-windres)

# Libraries, headers and CMake packages come from the target's tree only, so
# that nothing built for the Linux host (Qt, GoogleTest, Google Benchmark) is
# taken by mistake; programs (the compilers, Python, wine) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${MENSORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program of this build stands alone: libstdc++, libgcc and winpthread
# are linked in, so no DLL of the compiler's has to be found at run time. The
# header gets no time stamp, so the same sources give the same program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")

# ctest and add_test run the built programs through wine, in the build's own
# prefix.
get_filename_component(mensora_wine_session ${CMAKE_CURRENT_LIST_DIR}/../tests/wine/wine-session ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${mensora_wine_session} run)
