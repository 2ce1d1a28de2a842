# Checks that a program holds no symbol of the named classes (cmake -P).
#
#   cmake -DZAMO_PROGRAM=<executable> -DZAMO_NM=<nm> -DZAMO_FORBIDDEN=<class>[;<class>...]
#         -P CheckProgramSymbols.cmake
#
# Reads the program's symbol table, demangled, and fails naming each class
# (a qualified name, letters and "::") that any symbol names, with one such
# symbol; ui::TestWindow also finds ui::TestWindowServices. The layers keep
# the report viewer from linking the station's libraries; this looks at what
# the linker put in.

cmake_minimum_required(VERSION 3.25)
foreach(var ZAMO_PROGRAM ZAMO_NM ZAMO_FORBIDDEN)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckProgramSymbols.cmake needs -D${var}=...")
  endif()
endforeach()
execute_process(COMMAND ${ZAMO_NM} -C ${ZAMO_PROGRAM} OUTPUT_VARIABLE symbols RESULT_VARIABLE result
                ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${ZAMO_NM} could not read ${ZAMO_PROGRAM}: ${errors}")
endif()

set(found "")
foreach(class IN LISTS ZAMO_FORBIDDEN)
  string(REGEX MATCH "[^\n]*${class}[^\n]*" example "${symbols}")
  if(example)
    string(APPEND found "  ${class}, for one in: ${example}\n")
  endif()
endforeach()
if(found)
  message(FATAL_ERROR "${ZAMO_PROGRAM} holds code it must not:\n${found}")
endif()
message(STATUS "${ZAMO_PROGRAM} holds none of: ${ZAMO_FORBIDDEN}")
