# Checks that DLL exports exactly the four entry points of an in-process
# server, undecorated: cmake -DOBJDUMP=... -DDLL=... -P exports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} cannot read ${DLL}")
endif()
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)+" table "${dump}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" names "${table}")
list(TRANSFORM names REPLACE "^\\[ *[0-9]+\\] " "")
set(expected "DllCanUnloadNow;DllGetClassObject;DllRegisterServer;DllUnregisterServer")
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "${DLL} exports ${names}, not ${expected}")
endif()
