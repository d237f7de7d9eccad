# The catalogue's list of the gauges that have a file of their own.
#
# Every gauge file declares its gauges at the top, one line each:
#   KADRIMOS_GAUGE(elec_batt, "toskelin elec_batt_rulo")
# (or KADRIMOS_GAUGE_WITH_STATE for a gauge with state of its own).
# At build time these lines are collected, in the build's order of the files,
# into generated/gauge_files.h, which declares every gauge and lists its
# catalogue entry; Linkage looks the gauges up by name in that list. A file
# that declares no gauge, or a malformed line, stops the build.
#
# As a script (cmake -P): -DOUTPUT=header -DSOURCE_DIR=dir -DFILES=a.cpp|b.cpp
if(CMAKE_SCRIPT_MODE_FILE)
    set(declarations "")
    set(entries "")
    string(REPLACE "|" ";" files "${FILES}")
    foreach(file IN LISTS files)
        file(STRINGS "${SOURCE_DIR}/${file}" lines REGEX "^[ \t]*KADRIMOS_GAUGE(_WITH_STATE)?\\(")
        if(NOT lines)
            message(FATAL_ERROR "${file}: declares no gauge (a line KADRIMOS_GAUGE(id, \"name\"))")
        endif()
        string(APPEND declarations "\n// ${file}\n")
        foreach(line IN LISTS lines)
            if(NOT line MATCHES "^KADRIMOS_GAUGE(_WITH_STATE)?\\(([a-z0-9_]+), \"([^\"]+)\"\\)$")
                message(FATAL_ERROR "${file}: expected KADRIMOS_GAUGE(id, \"name\") alone on its line, found: ${line}")
            endif()
            string(APPEND declarations "${line}\n")
            string(APPEND entries "    ${CMAKE_MATCH_2}::kEntry,\n")
        endforeach()
    endforeach()
    set(content "// Made by cmake/gauge_files.cmake from the gauge files' declarations.
#pragma once

#include \"module/catalogue_entry.h\"
${declarations}
namespace kadrimos::gauges {

inline constexpr CatalogueEntry kGaugeFileEntries[] = {
${entries}};

}  // namespace kadrimos::gauges
")
    file(WRITE "${OUTPUT}.new" "${content}")
    execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUTPUT}.new" "${OUTPUT}")
    file(REMOVE "${OUTPUT}.new")
    return()
endif()

# Adds the rule that writes `output` from the gauge files `files` (relative
# to the source tree) to target `target`.
function(kadrimos_gauge_files target output)
    set(files ${ARGN})
    list(TRANSFORM files PREPEND "${CMAKE_SOURCE_DIR}/" OUTPUT_VARIABLE dependencies)
    list(JOIN files "|" file_list)
    add_custom_command(
        OUTPUT "${output}"
        COMMAND ${CMAKE_COMMAND} "-DOUTPUT=${output}" "-DSOURCE_DIR=${CMAKE_SOURCE_DIR}" "-DFILES=${file_list}"
                -P "${CMAKE_SOURCE_DIR}/cmake/gauge_files.cmake"
        DEPENDS ${dependencies} "${CMAKE_SOURCE_DIR}/cmake/gauge_files.cmake"
        COMMENT "Collecting the gauge files' declarations"
        VERBATIM)
    target_sources(${target} PRIVATE "${output}")
endfunction()
