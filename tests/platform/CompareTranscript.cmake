# cmake [-DEMULATOR=<runner>] -DPROGRAM=<program> -DEXPECTED=<file> -DACTUAL=<file>
#       -P CompareTranscript.cmake
#
# Runs the program (through the runner, when there is one), keeps what it
# printed in ACTUAL and fails unless that is EXPECTED, line for line.
execute_process(COMMAND ${EMULATOR} ${PROGRAM}
                OUTPUT_FILE ${ACTUAL} RESULT_VARIABLE Result)
if(NOT Result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} failed: ${Result}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files --ignore-eol ${EXPECTED} ${ACTUAL}
                RESULT_VARIABLE Different)
if(Different)
  execute_process(COMMAND diff -u --strip-trailing-cr ${EXPECTED} ${ACTUAL}
                  OUTPUT_VARIABLE Changes)
  message(FATAL_ERROR "The transcript differs from ${EXPECTED}:\n${Changes}")
endif()
