# Runs the layering check on the fixture tree, against the real layer table, and passes only when
# the check fails with exactly the one line for the bus file's upward include.
execute_process(COMMAND ${PYTHON} ${SOURCE_DIR}/scripts/check-layers.py ${SOURCE_DIR}/tests/layering/fixture
                        --table ${SOURCE_DIR}/docs/ARCHITECTURE.md
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(expected "src/bus/bad.cpp:6: layer bus may not include engine/test_run.h\n")
if(NOT rc EQUAL 1 OR NOT out STREQUAL expected)
    message(FATAL_ERROR "Expected exit 1 and\n  ${expected}got exit ${rc} and\n  ${out}${err}")
endif()
