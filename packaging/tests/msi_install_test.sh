#!/bin/sh
# The Windows installer in a fresh Wine prefix, as a bench PC gets it: a silent install, every file
# and registry value checked, a lab run of the installed kestrova-cli.exe through the installed
# Brevlink (found by the tester's own walk to the driver folder), the installed Kestrova.exe started
# to "READY", an upgrade to a newer build, and a silent uninstall that leaves nothing of ours.
# msi_install_test.sh WINE_RUN PREFIX MSI WXS STAGE WALK_DRIVER VERSION SCRATCH
set -eu
wine_run=$1
prefix=$2
msi=$3
wxs=$4
stage=$5
walk=$6
version=$7
scratch=$8

fail() {
    echo "msi_install_test: $*" >&2
    exit 1
}

[ -n "${DISPLAY:-}" ] || fail "DISPLAY is empty: Kestrova.exe needs an X display (scripts/test-all.sh starts Xvfb)"
rm -rf "$prefix" "$scratch"
mkdir -p "$scratch"
cd "$scratch"
export KESTROVA_VIRTUAL_CLOCK=1
unset BREVLINK_BACKEND BREVLINK_LAB_PROFILE 2>/dev/null || true
"$wine_run" "$prefix" wineboot --init >/dev/null 2>&1 || fail "the prefix was not built"

drive="$prefix/drive_c"
program="$drive/Program Files/Velmora Displays/Kestrova"
drivers="$drive/Program Files/Common Files/Velmora Displays/Drivers"
installed_cli='C:\Program Files\Velmora Displays\Kestrova\kestrova-cli.exe'
installed_window='C:\Program Files\Velmora Displays\Kestrova\Kestrova.exe'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

# reg_value KEY NAME: the value's data, or nothing.
reg_value() {
    "$wine_run" "$prefix" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_SZ *//p"
}
# The DisplayVersion of every installed product named Kestrova, one a line.
kestrova_versions() {
    "$wine_run" "$prefix" reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' |
        awk '/^HKEY/ { name = ""; ver = "" } /DisplayName .*REG_SZ *Kestrova$/ { name = 1 }
             /DisplayVersion/ { ver = $NF } name && ver { print ver; name = "" }'
}

# --- install -------------------------------------------------------------------------------------
"$wine_run" "$prefix" msiexec /i "$msi" /qn || fail "silent install failed ($?)"
for file in Kestrova.exe kestrova-cli.exe; do
    cmp -s "$stage/$file" "$program/$file" || fail "$file not installed in the program folder"
done
for file in Brevlink.dll brevlink.conf; do
    cmp -s "$stage/$file" "$drivers/$file" || fail "$file not installed in the driver folder"
done
for file in "$stage"/lab/*.json "$stage"/lab/README.md "$stage"/lab/quirks/*.json; do
    name=${file#"$stage"/}
    cmp -s "$file" "$program/$name" || fail "$name not installed"
done
grep -qx "backend = monitor-config" "$drivers/brevlink.conf" || fail "brevlink.conf does not choose monitor-config"
[ "$(reg_value 'HKLM\Software\Velmora Displays\LMT' WrapperDriverCurrent)" = "VISTA API" ] ||
    fail "WrapperDriverCurrent is not VISTA API"
# Windows puts it in every user's Start menu (ALLUSERS=1); Wine's installer keeps the installing
# user's Programs folder for it.
[ -n "$(find "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs" "$drive/users" -name Kestrova.lnk)" ] ||
    fail "no Start-menu shortcut"
[ "$(kestrova_versions)" = "$version" ] || fail "uninstall entry shows '$(kestrova_versions)', not $version"

# The installed configuration: Windows's API (Wine's serves its display without DDC/CI), and the
# driver the installer named, read by every user from the machine's key.
status=0
"$wine_run" "$prefix" "$installed_cli" run --mode automatic --codes 0x10 --report api.html --no-progress \
    </dev/null >api.txt 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "run through the Monitor Configuration API answered $status: $(cat api.txt)"
grep -q "I2C Support</td><td width=260>Vista I2C Support<" api.html || fail "the report does not say Vista I2C Support"

# A lab run through the installed Brevlink: the README's lab configuration in its place.
cp "$drivers/brevlink.conf" brevlink.conf.installed
printf 'backend = lab\nprofile = C:\\Program Files\\Velmora Displays\\Kestrova\\lab\\two-monitors.json\n' \
    >"$drivers/brevlink.conf"
"$wine_run" "$prefix" "$installed_cli" monitors >monitors.txt 2>&1 || fail "monitors failed: $(cat monitors.txt)"
[ "$(tr -d '\r' <monitors.txt | grep -c .)" -eq 2 ] || fail "the lab profile's two monitors not found: $(cat monitors.txt)"
status=0
"$wine_run" "$prefix" "$installed_cli" run --mode automatic --report lab.html --junit lab.xml --no-progress \
    </dev/null >lab.txt 2>&1 || status=$?
[ "$status" -le 1 ] || fail "the lab run answered $status: $(cat lab.txt)"
tr -d '\r' <lab.txt | tail -n 2 | grep -qx "Testing complete." || fail "the lab run did not end: $(tail -n 3 lab.txt)"
cp brevlink.conf.installed "$drivers/brevlink.conf"

touch hold
"$wine_run" "$prefix" "$walk" --stop-at ready --hold-file hold "$installed_window" window.html >walk.txt 2>&1 ||
    fail "the installed Kestrova.exe did not reach READY: $(cat walk.txt)"
grep -q "walk_driver: at ready" walk.txt || fail "no READY from Kestrova.exe: $(cat walk.txt)"

# --- upgrade to a newer build --------------------------------------------------------------------
newer=$(echo "$version" | awk -F. '{ printf "%d.%d.%d", $1, $2, $3 + 1 }')
(cd "$stage" && wixl -a x64 -D Version="$newer" -o "$scratch/newer.msi" "$wxs") >wixl.txt 2>&1 ||
    fail "the newer installer was not built: $(cat wixl.txt)"
"$wine_run" "$prefix" msiexec /i "$scratch/newer.msi" /qn || fail "silent upgrade failed ($?)"
[ "$(kestrova_versions)" = "$newer" ] || fail "after the upgrade the uninstall entries show '$(kestrova_versions)'"
[ -f "$program/Kestrova.exe" ] && [ -f "$drivers/Brevlink.dll" ] || fail "files missing after the upgrade"

# --- uninstall -----------------------------------------------------------------------------------
"$wine_run" "$prefix" msiexec /x "$scratch/newer.msi" /qn || fail "silent uninstall failed ($?)"
left=$(find "$drive" -path '*Velmora Displays*' -o -name 'Kestrova*.lnk')
[ -z "$left" ] || fail "left after the uninstall: $left"
"$wine_run" "$prefix" reg query 'HKLM\Software\Velmora Displays' >/dev/null 2>&1 && fail "HKLM\\Software\\Velmora Displays left"
"$wine_run" "$prefix" reg query 'HKCU\Software\Velmora Displays' >/dev/null 2>&1 && fail "HKCU\\Software\\Velmora Displays left"
[ -z "$(kestrova_versions)" ] || fail "uninstall entry left: $(kestrova_versions)"
echo "msi_install_test: passed"
