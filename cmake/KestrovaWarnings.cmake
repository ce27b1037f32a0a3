# Warnings are errors in our own code; third-party code (googletest, Boost) is built without this.
function(kestrova_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wcast-align -Wformat=2 -Werror)
endfunction()
