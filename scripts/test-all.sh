#!/usr/bin/env bash
# The one test command: installs what is missing, builds the Linux tree (ASan + UBSan), the fuzz
# build (its smoke: every fuzz target briefly over its seeds), a ThreadSanitizer build of the
# threaded tests, the Debian package and the Windows tree (mingw-w64) with its installer, then runs
# every test: Linux natively, Windows under Wine on a private Xvfb display in private prefixes.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=${KESTROVA_JOBS:-$(nproc)}

# Each stage's header says how long the command has run, so a slow stage shows in CI's log.
stage() {
    echo "== $* [$((SECONDS / 60)) min $((SECONDS % 60)) s]"
}

scripts/install-deps.sh

stage "Linux build (AddressSanitizer + UndefinedBehaviorSanitizer)"
cmake --preset linux >/dev/null
cmake --build --preset linux -j "$jobs"
ctest --preset linux -j "$jobs"

stage "Fuzz build (clang-14 libFuzzer, ASan + UBSan): each target a few seconds over its seeds"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
ctest --preset fuzz

stage "Linux build (ThreadSanitizer, threaded tests)"
cmake --preset linux-tsan -DKESTROVA_THREAD_TESTS_ONLY=ON >/dev/null
cmake --build --preset linux-tsan -j "$jobs" --target thread_tests
ctest --preset linux-tsan -j "$jobs" -L threads

stage "Debian package (Release), unpacked and used, lintian"
version=$(sed -n 's/^project(Kestrova VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
cmake --preset deb >/dev/null
cmake --build --preset deb -j "$jobs"
packaging/tests/deb_package_test.sh "build/deb/packages/kestrova_${version}_amd64.deb" "$version"

stage "Windows build (mingw-w64) and installer, tests under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"

display_number=$(scripts/free-display.sh)
Xvfb ":$display_number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true' EXIT
export DISPLAY=":$display_number"
sleep 1
kill -0 "$xvfb_pid" || { echo "Xvfb did not start on $DISPLAY" >&2; exit 1; }

# A first Wine start builds the prefix; do it once here so that no test pays for it.
scripts/wine-run.sh "$root/build/windows/wineprefix" wineboot --init
# The window's test programs run on Wine desktops of their own (no window manager, so no 2-second
# wait whenever a window closes). A program started from here finds its desktop in these settings;
# one that only names its desktop when it starts a child of its own, in a new prefix, never gets a
# file dialog shown from a second thread there.
for program in app_win32_dialogs_test app_win32_main_window_test app_win32_project_editor_test; do
    scripts/wine-run.sh "$root/build/windows/wineprefix" reg add \
        "HKCU\\Software\\Wine\\AppDefaults\\$program.exe\\Explorer" /v Desktop /d "kestrova-$program" /f >/dev/null
    scripts/wine-run.sh "$root/build/windows/wineprefix" reg add 'HKCU\Software\Wine\Explorer\Desktops' \
        /v "kestrova-$program" /d 1280x1024 /f >/dev/null
done
ctest --preset windows -j "$jobs"

stage "all tests passed"
