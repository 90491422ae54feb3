# Makes the Wine prefix PREFIX at its first use and waits until Wine has
# finished with it: cmake -DWINE=... -DWINESERVER=... -DPREFIX=... -P wineprefix.cmake
set(ENV{WINEPREFIX} ${PREFIX})
set(ENV{WINEDEBUG} -all)
if(NOT EXISTS ${PREFIX}/system.reg)
  execute_process(COMMAND ${WINE} wineboot --init RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "wineboot failed in ${PREFIX}")
  endif()
endif()
execute_process(COMMAND ${WINESERVER} -w)
