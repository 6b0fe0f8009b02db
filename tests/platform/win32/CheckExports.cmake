# cmake -DOBJDUMP=<objdump> -DLIBRARY=<DLL> -DEXPECTED=<name,name,...> -P CheckExports.cmake
#
# Fails unless the DLL's export table names exactly the names expected,
# undecorated, nothing more and nothing less.
execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY}
                OUTPUT_VARIABLE Listing RESULT_VARIABLE Result)
if(NOT Result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} could not read ${LIBRARY}")
endif()
# The names follow "[Ordinal/Name Pointer] Table", one "[ index] name" a
# line, up to the first empty line.
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)*" Table "${Listing}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" Entries "${Table}")
set(Defined)
foreach(Entry IN LISTS Entries)
  string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" Name "${Entry}")
  list(APPEND Defined ${Name})
endforeach()
string(REPLACE "," ";" Expected "${EXPECTED}")
list(SORT Defined)
list(SORT Expected)
if(NOT Defined STREQUAL Expected)
  message(FATAL_ERROR "${LIBRARY} exports\n  ${Defined}\nbut should export exactly\n  ${Expected}")
endif()
