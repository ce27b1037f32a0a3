# Opens a golden report in headless Chromium and checks that the page loads and shows the "Summary"
# heading and a red FAIL cell. A machine without Chromium fails here, loudly: the check is not optional.
#   cmake -DREPORT=<html> -DPROFILE_DIR=<fresh folder> -P render_report.cmake
find_program(CHROMIUM NAMES chromium chromium-browser)
if(NOT CHROMIUM)
    message(FATAL_ERROR "Chromium is missing: install the Debian package 'chromium' (scripts/install-deps.sh) "
                        "to render the golden report")
endif()
if(NOT EXISTS "${REPORT}")
    message(FATAL_ERROR "no report at ${REPORT}")
endif()

file(REMOVE_RECURSE "${PROFILE_DIR}")
file(MAKE_DIRECTORY "${PROFILE_DIR}")
execute_process(
    COMMAND "${CHROMIUM}" --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking
            --disable-component-update --disable-sync --disable-quic "--user-data-dir=${PROFILE_DIR}" --dump-dom
            "file://${REPORT}"
    OUTPUT_VARIABLE dom
    ERROR_VARIABLE chromium_log
    RESULT_VARIABLE result
    TIMEOUT 150)
file(REMOVE_RECURSE "${PROFILE_DIR}")

if(NOT result EQUAL 0)
    message(FATAL_ERROR "Chromium failed (${result}) on ${REPORT}:\n${chromium_log}")
endif()
if(NOT dom MATCHES "<body>")
    message(FATAL_ERROR "Chromium gave no document for ${REPORT}:\n${chromium_log}")
endif()
if(NOT dom MATCHES ">Summary</p>")
    message(FATAL_ERROR "the rendered report shows no Summary heading")
endif()
if(NOT dom MATCHES "<th[^>]*background:red[^>]*>FAIL</th>")
    message(FATAL_ERROR "the rendered report shows no red FAIL cell")
endif()
string(LENGTH "${dom}" size)
message(STATUS "rendered ${REPORT}: ${size} characters of DOM with the Summary heading and a FAIL cell")
