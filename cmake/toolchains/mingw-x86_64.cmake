# Cross-build for x86_64 Windows with Debian's mingw-w64 (win32 threads).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TABULARA_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
