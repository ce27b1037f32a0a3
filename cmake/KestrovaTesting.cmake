# GoogleTest: Debian's prebuilt libraries natively; the sources in /usr/src/googletest when cross-compiling.
if(CMAKE_CROSSCOMPILING)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
    find_package(GTest REQUIRED)
endif()

# Everything the ThreadSanitizer build runs.
add_custom_target(thread_tests)

# gtest's headers take most of a test file's compile time; they are compiled once, for this
# holder, and every test program reuses them (same compiler options, so the same header image).
add_executable(kestrova_test_pch EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/test_pch_holder.cpp)
target_link_libraries(kestrova_test_pch PRIVATE GTest::gtest)
target_precompile_headers(kestrova_test_pch PRIVATE <gtest/gtest.h> <string> <vector>)
kestrova_warnings(kestrova_test_pch)

# kestrova_add_test(<name> SOURCES ... [LIBS ...] [WINDOWS] [THREADS] [NO_MAIN] [TIMEOUT s])
# One executable per module, one CTest test per executable (a process per case cost more than the
# cases). WINDOWS: the module also runs under Wine, because its code differs on Windows or crosses
# a boundary there (the platform seams, Brevlink's exports and their loading, files written and
# read back, a run's threads, whole runs with their byte-exact reports). The portable core's other
# unit tests run natively only; the Windows build still compiles all of the core, warnings as errors.
function(kestrova_add_test name)
    cmake_parse_arguments(T "WINDOWS;NO_MAIN;THREADS" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(CMAKE_CROSSCOMPILING AND NOT T_WINDOWS)
        return()
    endif()
    # The ThreadSanitizer build compiles and runs only the tests that exercise more than one thread
    # (target thread_tests, label "threads"); the others still exist as targets, unbuilt, so that
    # every CMakeLists can name them.
    set(registered TRUE)
    if(KESTROVA_THREAD_TESTS_ONLY AND NOT T_THREADS)
        add_executable(${name} EXCLUDE_FROM_ALL ${T_SOURCES})
        set(registered FALSE)
    else()
        add_executable(${name} ${T_SOURCES})
    endif()
    set(labels "")
    if(T_THREADS)
        add_dependencies(thread_tests ${name})
        set(labels threads)
    endif()
    if(T_NO_MAIN)
        target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest)
    else()
        target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    endif()
    target_compile_definitions(${name} PRIVATE KESTROVA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                               KESTROVA_BINARY_DIR="${CMAKE_BINARY_DIR}")
    kestrova_warnings(${name})
    # Only in the unoptimised builds: g++ 12's optimiser warns falsely (array-bounds) through the
    # precompiled image, and the ThreadSanitizer build compiles few tests.
    if(NOT KESTROVA_THREAD_TESTS_ONLY)
        target_precompile_headers(${name} REUSE_FROM kestrova_test_pch)
    endif()
    if(NOT registered)
        return()
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    if(CMAKE_CROSSCOMPILING)
        list(APPEND labels wine)
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
    if(labels)
        set_tests_properties(${name} PROPERTIES LABELS "${labels}")
    endif()
endfunction()
