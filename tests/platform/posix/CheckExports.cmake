# cmake -DNM=<nm> -DLIBRARY=<shared library> -DEXPECTED=<name,name,...> -P CheckExports.cmake
#
# Fails unless the library's dynamic symbol table defines exactly the names
# expected as its global symbols, nothing more and nothing less (local ones,
# which link-time optimization may leave there, are no exports).
execute_process(COMMAND ${NM} -D --defined-only --extern-only --format=posix ${LIBRARY}
                OUTPUT_VARIABLE Listing RESULT_VARIABLE Result)
if(NOT Result EQUAL 0)
  message(FATAL_ERROR "${NM} could not read ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" Lines "${Listing}")
set(Defined)
foreach(Line IN LISTS Lines)
  string(REGEX REPLACE " .*" "" Name "${Line}")
  list(APPEND Defined ${Name})
endforeach()
string(REPLACE "," ";" Expected "${EXPECTED}")
list(SORT Defined)
list(SORT Expected)
if(NOT Defined STREQUAL Expected)
  message(FATAL_ERROR "${LIBRARY} defines\n  ${Defined}\nbut should define exactly\n  ${Expected}")
endif()
