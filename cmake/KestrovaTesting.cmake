# GoogleTest: Debian's prebuilt libraries natively; the sources in /usr/src/googletest when cross-compiling.
if(CMAKE_CROSSCOMPILING)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
    find_package(GTest REQUIRED)
    include(GoogleTest)
endif()

# Everything the ThreadSanitizer build runs.
add_custom_target(thread_tests)

# kestrova_add_test(<name> SOURCES ... [LIBS ...] [LINUX_ONLY] [THREADS] [NO_MAIN] [TIMEOUT s])
# One executable per module. Natively every case becomes its own CTest test; under Wine the
# whole binary is one CTest test (discovering cases through Wine at build time is slow).
function(kestrova_add_test name)
    cmake_parse_arguments(T "LINUX_ONLY;NO_MAIN;THREADS" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(T_LINUX_ONLY AND CMAKE_CROSSCOMPILING)
        return()
    endif()
    # The ThreadSanitizer build runs only the tests that exercise more than one thread.
    if(KESTROVA_THREAD_TESTS_ONLY AND NOT T_THREADS)
        return()
    endif()
    add_executable(${name} ${T_SOURCES})
    # The ThreadSanitizer build compiles only what the threaded tests need (target thread_tests).
    if(T_THREADS)
        add_dependencies(thread_tests ${name})
    endif()
    if(T_NO_MAIN)
        target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest)
    else()
        target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    endif()
    target_compile_definitions(${name} PRIVATE KESTROVA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                               KESTROVA_BINARY_DIR="${CMAKE_BINARY_DIR}")
    kestrova_warnings(${name})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS wine)
    else()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT ${T_TIMEOUT})
    endif()
endfunction()
