# What both Windows toolchain files share (mingw-w64-x86_64.cmake and
# mingw-w64-i686.cmake set korvel_triple and the processor first): Debian's
# MinGW-w64 compilers with the posix thread model, so that std::thread works.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${korvel_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${korvel_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${korvel_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${korvel_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest and the test discovery run the .exe files through Wine, quietly, in a
# prefix of the build's own (created on first use) and on the virtual display
# that the tests' fixture writes to KORVEL_VIRTUAL_DISPLAY (tests/fixtures/).
set(KORVEL_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(KORVEL_VIRTUAL_DISPLAY ${CMAKE_BINARY_DIR}/virtual-display)
set(CMAKE_CROSSCOMPILING_EMULATOR sh ${CMAKE_CURRENT_LIST_DIR}/run-under-wine.sh ${KORVEL_WINE_PREFIX}
    ${KORVEL_VIRTUAL_DISPLAY})
