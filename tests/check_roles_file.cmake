# Requires host/data/roles.txt to be exactly what the gauges' labels give.
#   cmake -DROLES_FILE=path/to/roles_file -DEXPECTED=host/data/roles.txt -DWORK=dir -P check_roles_file.cmake
execute_process(COMMAND ${ROLES_FILE} RESULT_VARIABLE code OUTPUT_FILE ${WORK}/roles.txt
                ERROR_VARIABLE errors)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "roles_file exited with ${code}:\n${errors}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${WORK}/roles.txt RESULT_VARIABLE differ)
if(differ)
    execute_process(COMMAND diff -u ${EXPECTED} ${WORK}/roles.txt OUTPUT_VARIABLE difference)
    message(FATAL_ERROR "${EXPECTED} is not what the gauges' labels give (run scripts/update_roles.sh):\n"
                        "${difference}")
endif()
message(STATUS "the role labels agree with the gauges")
