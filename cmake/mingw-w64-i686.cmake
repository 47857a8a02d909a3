# Cross-builds korvel for 32-bit Windows with Debian's MinGW-w64:
#   cmake -S . -B build-windows-i686 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
# Doubles are computed with SSE2, each operation rounded to 53 bits as on
# 64-bit processors: the x87 unit's wider registers would change the file's
# bytes. The programs and tests then run under Wine's 32-bit side (ctest --preset windows-i686).
set(korvel_triple i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
