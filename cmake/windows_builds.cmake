# The Windows product, cross-built once for each architecture with mingw-w64
# in build/windows/<arch>, as part of the native build. Skipped when the
# cross compilers or widl with Wine's IDL files and stdole2.tlb are missing.
include(ExternalProject)

find_program(TABULARA_WIDL widl PATHS /usr/lib/wine)
set(wine_idl_files FALSE)
if(EXISTS /usr/include/wine/wine/windows/oaidl.idl AND
   EXISTS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows/stdole2.tlb)
  set(wine_idl_files TRUE)
endif()
set(TABULARA_WINDOWS_ARCHS)
foreach(arch x86_64 i686)
  find_program(TABULARA_MINGW_${arch} ${arch}-w64-mingw32-g++)
  if(TABULARA_MINGW_${arch} AND TABULARA_WIDL AND wine_idl_files)
    list(APPEND TABULARA_WINDOWS_ARCHS ${arch})
  endif()
endforeach()
if(NOT TABULARA_WINDOWS_ARCHS)
  message(STATUS "Windows product: skipped (mingw-w64 or widl not found)")
  return()
endif()

# The embedded host's Unicode facts, which the cross builds read from ICU
# through this table.
set(TABULARA_UNICODE_TABLE ${CMAKE_BINARY_DIR}/windows/unicode_table.cpp)
add_custom_command(OUTPUT ${TABULARA_UNICODE_TABLE}
  COMMAND tabulara_unicode_table ${TABULARA_UNICODE_TABLE}
  DEPENDS tabulara_unicode_table
  COMMENT "Writing the Unicode table of the Windows builds")
add_custom_target(windows_unicode_table DEPENDS ${TABULARA_UNICODE_TABLE})

foreach(arch ${TABULARA_WINDOWS_ARCHS})
  set(TABULARA_WINDOWS_${arch}_DIR ${CMAKE_BINARY_DIR}/windows/${arch})
  # The Windows programs of the tests run under wine64 only.
  set(tests OFF)
  if(arch STREQUAL x86_64)
    set(tests ${TABULARA_TESTS})
  endif()
  ExternalProject_Add(windows_${arch}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${TABULARA_WINDOWS_${arch}_DIR}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchains/mingw-${arch}.cmake
               -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
               -DTABULARA_WIDL=${TABULARA_WIDL} -DTABULARA_UNICODE_TABLE=${TABULARA_UNICODE_TABLE}
               -DTABULARA_TESTS=${tests}
    DEPENDS windows_unicode_table
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${TABULARA_WINDOWS_${arch}_DIR}/com/Tabulara.dll)
endforeach()

# The install tree of each architecture, as a user copies it to Windows: the
# DLL with the language files in their ANSI code pages and the help file
# beside it, in build/windows/install/<arch>.
foreach(arch ${TABULARA_WINDOWS_ARCHS})
  set(install_dir ${CMAKE_BINARY_DIR}/windows/install/${arch})
  add_custom_target(windows_install_${arch} ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${install_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${TABULARA_WINDOWS_${arch}_DIR}/com/Tabulara.dll
            ${TABULARA_WINDOWS_LANGUAGE_DIR}/English.lang ${TABULARA_WINDOWS_LANGUAGE_DIR}/ChineseSimp.lang
            ${TABULARA_WINDOWS_LANGUAGE_DIR}/ChineseTrad.lang ${TABULARA_WINDOWS_LANGUAGE_DIR}/Japanese.lang
            ${TABULARA_PROGRAM_DIR}/Help.chm ${install_dir}
    COMMENT "Install tree of the ${arch} DLL in ${install_dir}"
    VERBATIM)
  add_dependencies(windows_install_${arch} windows_${arch} language_files help_file)
endforeach()
