# Flies a scenario with its audio track written, and checks the file: a PCM
# WAV, 16-bit mono at 22050 samples a second, "fmt " and "data" chunks
# only, holding exactly the flight's updates, 1225 samples each, as the
# host's summary line counts them.
#   cmake -DCOMMAND="host;--module;module" -DSCENARIO=file.scn -DWAV=out.wav -P check_audio_track.cmake
get_filename_component(folder ${WAV} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
file(REMOVE ${WAV})
execute_process(COMMAND ${COMMAND} --quiet --audio ${WAV} ${SCENARIO}
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "exit code ${code}; output:\n${out}${err}")
endif()
if(NOT out MATCHES " ([0-9]+) updates\r?\n")
    message(FATAL_ERROR "no summary line with the number of updates:\n${out}")
endif()
set(updates ${CMAKE_MATCH_1})
if(NOT EXISTS ${WAV})
    message(FATAL_ERROR "no audio track written to ${WAV}")
endif()

file(SIZE ${WAV} size)
if(size LESS 44)
    message(FATAL_ERROR "${WAV}: ${size} bytes, less than a WAV header")
endif()
file(READ ${WAV} header LIMIT 44 HEX)

# The little-endian unsigned number of `bytes` bytes at `offset`.
function(field offset bytes out)
    set(value "")
    math(EXPR last "${bytes} - 1")
    foreach(i RANGE ${last})
        math(EXPR at "(${offset} + ${i}) * 2")
        string(SUBSTRING "${header}" ${at} 2 byte)
        set(value "${byte}${value}")
    endforeach()
    math(EXPR value "0x${value}")
    set(${out} ${value} PARENT_SCOPE)
endfunction()
function(text offset out)
    math(EXPR at "${offset} * 2")
    string(SUBSTRING "${header}" ${at} 8 hex)
    set(${out} ${hex} PARENT_SCOPE)
endfunction()

math(EXPR data_size "${updates} * 1225 * 2")
math(EXPR riff_size "${size} - 8")
# Columns: what, offset, bytes (0: four characters, as hex), expected.
set(expected
    "RIFF|0|0|52494646"
    "RIFF size|4|4|${riff_size}"
    "WAVE|8|0|57415645"
    "fmt |12|0|666d7420"
    "format size|16|4|16"
    "PCM|20|2|1"
    "channels|22|2|1"
    "samples a second|24|4|22050"
    "bytes a second|28|4|44100"
    "bytes a sample|32|2|2"
    "bits|34|2|16"
    "data|36|0|64617461"
    "data size (${updates} updates)|40|4|${data_size}")
set(problems "")
foreach(row IN LISTS expected)
    string(REPLACE "|" ";" row "${row}")
    list(GET row 0 what)
    list(GET row 1 offset)
    list(GET row 2 bytes)
    list(GET row 3 want)
    if(bytes EQUAL 0)
        text(${offset} got)
    else()
        field(${offset} ${bytes} got)
    endif()
    if(NOT got STREQUAL want)
        string(APPEND problems "\n  ${what}: ${got}, expected ${want}")
    endif()
endforeach()
math(EXPR file_size "44 + ${data_size}")
if(NOT size EQUAL file_size)
    string(APPEND problems "\n  file size: ${size} bytes, expected ${file_size}")
endif()
if(problems)
    message(FATAL_ERROR "${WAV} is not the track of ${updates} updates:${problems}")
endif()
message(STATUS "${WAV}: ${updates} updates, ${data_size} bytes of 16-bit mono at 22050 Hz")
