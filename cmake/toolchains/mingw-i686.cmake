# Cross-build for i686 Windows with Debian's mingw-w64 (win32 threads).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TABULARA_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
