# Fails when any of our C++ files differs from what clang-format would write. One clang-format
# process checks every file: starting one per file cost more than the formatting itself.
file(GLOB_RECURSE files
     ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h
     ${SOURCE_DIR}/brevlink/*.cpp ${SOURCE_DIR}/brevlink/*.h
     ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h
     ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/fuzz/*.cpp ${SOURCE_DIR}/fuzz/*.h)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${files}
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE complaints)
if(NOT rc EQUAL 0)
    # clang-format names each file and line it would change.
    string(REGEX MATCHALL "[^\n]*: error: [^\n]*" lines "${complaints}")
    list(JOIN lines "\n  " text)
    message(FATAL_ERROR "Not clang-format clean (exit ${rc}):\n  ${text}")
endif()
list(LENGTH files n)
message(STATUS "${n} files clang-format clean")
