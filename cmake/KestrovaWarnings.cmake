# Warnings are errors in our own code; third-party code (googletest, Boost) is built without this.
function(kestrova_warnings target)
    # Only the compilers get them: a target may also hold a resource script.
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Wpedantic -Wshadow
                                             -Wnon-virtual-dtor -Wcast-align -Wformat=2 -Werror>)
    # g++ 12 reports std::optional<std::string> members as maybe-uninitialized once the sanitizers
    # instrument them; the warning stays on in the plain and Windows builds.
    if(KESTROVA_SANITIZERS AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized)
    endif()
    # g++ 12 reports string concatenations as overlapping copies when optimising (a known compiler
    # fault); real overlaps are still caught by the sanitizers.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
       AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
endfunction()
