# Cross-compiles for 32-bit Windows; test programs run under Wine's 32-bit loader, which
# needs a host that can execute 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
set(WINE_LOADER /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
