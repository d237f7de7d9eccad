# The shared record's items, for the module's state directory.
#
# Every item of AircraftState (src/module/aircraft_state.h) is one member
# line, "TYPE Name = load value;" or "TYPE Name[count]{};". At build time the
# names are collected, in declaration order, into generated/state_items.inc,
# one KADRIMOS_STATE_ITEM(Name) a line; the module's state directory
# (src/module/state_directory.cpp) is made from it, so that a host can name
# every item without a list kept by hand. A member line of another shape
# stops the build.
#
# As a script (cmake -P): -DOUTPUT=file -DHEADER=aircraft_state.h
if(CMAKE_SCRIPT_MODE_FILE)
    file(STRINGS "${HEADER}" lines)
    set(inside FALSE)
    set(items "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^struct AircraftState {")
            set(inside TRUE)
        elseif(inside AND line MATCHES "^};")
            set(inside FALSE)
        elseif(inside AND line MATCHES "^    [^ /]")
            if(NOT line MATCHES "^    (u?int(8|16|32)_t|double|float) ([A-Za-z0-9_]+)(\\[[A-Za-z0-9_]+\\])?( = [^;]+|{})?;")
                message(FATAL_ERROR "${HEADER}: an item of AircraftState is 'TYPE Name = value;' on its own line, found: ${line}")
            endif()
            string(APPEND items "KADRIMOS_STATE_ITEM(${CMAKE_MATCH_3})\n")
        endif()
    endforeach()
    if(items STREQUAL "")
        message(FATAL_ERROR "${HEADER}: no item of AircraftState found")
    endif()
    file(WRITE "${OUTPUT}.new" "// Made by cmake/state_items.cmake from src/module/aircraft_state.h.\n${items}")
    execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUTPUT}.new" "${OUTPUT}")
    file(REMOVE "${OUTPUT}.new")
    return()
endif()

function(kadrimos_state_items target output)
    set(header "${CMAKE_SOURCE_DIR}/src/module/aircraft_state.h")
    add_custom_command(
        OUTPUT "${output}"
        COMMAND ${CMAKE_COMMAND} "-DOUTPUT=${output}" "-DHEADER=${header}"
                -P "${CMAKE_SOURCE_DIR}/cmake/state_items.cmake"
        DEPENDS "${header}" "${CMAKE_SOURCE_DIR}/cmake/state_items.cmake"
        COMMENT "Collecting the shared record's items"
        VERBATIM)
    target_sources(${target} PRIVATE "${output}")
endfunction()
