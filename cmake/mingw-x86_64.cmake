# Cross-compiles for 64-bit Windows; test programs run under Wine's 64-bit loader, which
# every 64-bit host can execute (Debian puts no wine64 command on the PATH).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
