# Runs a command and checks its exit code and that its output matches a
# pattern.
#   cmake -DCOMMAND="a;b;c" -DEXPECT_CODE=2 -DEXPECT_OUTPUT=regex -P check_run.cmake
execute_process(COMMAND ${COMMAND} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(all "${out}${err}")
if(NOT code STREQUAL EXPECT_CODE)
    message(FATAL_ERROR "exit code ${code}, expected ${EXPECT_CODE}; output:\n${all}")
endif()
if(DEFINED EXPECT_OUTPUT AND NOT all MATCHES "${EXPECT_OUTPUT}")
    message(FATAL_ERROR "output does not match '${EXPECT_OUTPUT}':\n${all}")
endif()
message(STATUS "exit code ${code} as expected")
