# Fails when any of our C++ files differs from what clang-format would write.
file(GLOB_RECURSE files
     ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h
     ${SOURCE_DIR}/brevlink/*.cpp ${SOURCE_DIR}/brevlink/*.h
     ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h
     ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/fuzz/*.cpp)
set(bad "")
foreach(f ${files})
    execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${f} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
    if(NOT rc EQUAL 0)
        list(APPEND bad ${f})
    endif()
endforeach()
if(bad)
    list(JOIN bad "\n  " text)
    message(FATAL_ERROR "Not clang-format clean:\n  ${text}")
endif()
list(LENGTH files n)
message(STATUS "${n} files clang-format clean")
