# Compiler settings shared by every target of the project.

# Doubles are computed with SSE2 on 32-bit x86 as on x86-64, so that results
# at thresholds are the same on Windows and Linux (x87 keeps excess precision).
if(CMAKE_SYSTEM_PROCESSOR MATCHES "i[3-6]86" OR (WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4))
    add_compile_options(-msse2 -mfpmath=sse)
endif()

if(KADRIMOS_SANITIZE)
    # GCC's undefined-behaviour set leaves out float-cast-overflow: ask for it.
    set(KADRIMOS_SANITIZERS -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    add_compile_options(${KADRIMOS_SANITIZERS})
    add_link_options(${KADRIMOS_SANITIZERS})
endif()

# A fuzzing build instruments every object for libFuzzer's coverage: the
# whole module is the fuzzers' target.
if(KADRIMOS_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Warnings are errors in the project's own code.
function(kadrimos_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wshadow -Wconversion -Wno-sign-conversion)
    # GCC 12 at -O3 reports impossible overlaps inside std::string's own
    # appends (-Wrestrict, GCC bug 105329); nothing in our code is concerned.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
endfunction()
