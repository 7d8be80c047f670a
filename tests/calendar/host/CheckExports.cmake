# Checks the plug-in library: PluginFormShow is its only exported symbol (the loader's _init
# and _fini may be there too), its soname carries the major version, and the version string
# "zarvownl 2.0.0.0" is readable in the file.
# Usage: cmake -DLIBRARY=path/libzarvownl.so -DNM=nm -DOBJDUMP=objdump -P CheckExports.cmake
if(NOT EXISTS "${LIBRARY}")
  message(FATAL_ERROR "no library at ${LIBRARY}")
endif()

execute_process(COMMAND ${NM} -D --defined-only "${LIBRARY}"
  OUTPUT_VARIABLE symbols RESULT_VARIABLE nm_result)
if(NOT nm_result EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()
string(REPLACE "\n" ";" lines "${symbols}")
set(found_entry FALSE)
foreach(line IN LISTS lines)
  if(line STREQUAL "")
    continue()
  endif()
  string(REGEX REPLACE "^.* " "" name "${line}")
  if(name STREQUAL "PluginFormShow")
    set(found_entry TRUE)
  elseif(NOT name MATCHES "^(_init|_fini)$")
    message(FATAL_ERROR "unexpected exported symbol: ${line}")
  endif()
endforeach()
if(NOT found_entry)
  message(FATAL_ERROR "PluginFormShow is not exported")
endif()

execute_process(COMMAND ${OBJDUMP} -p "${LIBRARY}" OUTPUT_VARIABLE headers)
if(NOT headers MATCHES "SONAME +libzarvownl\\.so\\.2")
  message(FATAL_ERROR "the soname is not libzarvownl.so.2")
endif()

file(STRINGS "${LIBRARY}" version REGEX "^zarvownl 2\\.0\\.0\\.0$")
if(NOT version)
  message(FATAL_ERROR "no version string in ${LIBRARY}")
endif()
message(STATUS "exports: PluginFormShow only; soname libzarvownl.so.2; ${version}")
