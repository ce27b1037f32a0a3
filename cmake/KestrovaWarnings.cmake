# Warnings are errors in our own code; third-party code (googletest, Boost) is built without this.
function(kestrova_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wcast-align -Wformat=2 -Werror)
    # g++ 12 reports std::optional<std::string> members as maybe-uninitialized once the sanitizers
    # instrument them; the warning stays on in the plain and Windows builds.
    if(KESTROVA_SANITIZERS AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized)
    endif()
endfunction()
