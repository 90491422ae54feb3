# Cross-build for i686 Windows with Debian's mingw-w64 (win32 threads).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TABULARA_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)

# Doubles in SSE2 registers, each operation rounded once as on x86_64: the
# x87 unit's wider registers would round some results twice.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
