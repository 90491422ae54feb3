# Checks that DLL exports exactly the four entry points of an in-process
# server, undecorated, and embeds the type library with its help strings in
# GBK: cmake -DOBJDUMP=... -DDLL=... -P dll.cmake
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

# "根据当前日期计算年龄" in GBK.
file(READ ${DLL} bytes HEX)
string(FIND "${bytes}" "b8f9beddb5b1c7b0c8d5c6dabcc6cbe3c4eac1e4" help)
if(help EQUAL -1)
  message(FATAL_ERROR "${DLL} has no type library with Age's help string in GBK")
endif()
