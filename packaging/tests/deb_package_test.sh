#!/bin/sh
# The Debian package as a user gets it: its control fields and file list, then unpacked into a
# temporary root (dpkg -x) and used from there (kestrova run against the built-in lab monitor
# through the packaged Brevlink, the Python module imported by Debian's python3, lmscript running
# the packaged example), and lintian without an error.
# deb_package_test.sh DEB VERSION
set -eu
deb=$(realpath -m "$1")
version=$2

fail() {
    echo "deb_package_test: $*" >&2
    exit 1
}

[ -f "$deb" ] || fail "no package $1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kestrova ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = amd64 ] || fail "Architecture is '$(field Architecture)'"
for needed in libc6 libstdc++6 libpython3.11 libboost-python1.74.0 "python3 (>= 3.11)" adduser; do
    field Depends | grep -qF "$needed" || fail "Depends lacks $needed: $(field Depends)"
done

# Every file we ship, where the programs look for it, owned by root.
dpkg-deb -c "$deb" >"$work/contents"
for path in ./usr/bin/kestrova ./usr/bin/lmscript "./usr/lib/Velmora Displays/Drivers/libbrevlink.so" \
    ./usr/lib/kestrova/lm_embedded_python_ext.so ./usr/lib/python3/dist-packages/lm_embedded_python_ext.so \
    ./usr/share/kestrova/lab/compliant.json ./usr/share/kestrova/lab/two-monitors.json \
    ./usr/share/kestrova/lab/quirks/13-stale-replies.json \
    ./usr/share/man/man1/kestrova.1.gz ./usr/share/man/man1/lmscript.1.gz ./usr/lib/udev/rules.d/60-kestrova-i2c.rules \
    ./usr/share/doc/kestrova/copyright ./usr/share/doc/kestrova/changelog.gz \
    ./usr/share/doc/kestrova/examples/brightness.py; do
    grep -qF " $path" "$work/contents" || fail "the package lacks $path"
done
awk '{ print $2 }' "$work/contents" | grep -vx "root/root" && fail "files not owned by root"
dpkg-deb -I "$deb" postinst | grep -q "addgroup --system i2c" || fail "postinst does not make the i2c group"

# Unpacked and used from the temporary root: the tester finds the packaged library through its
# own driver-folder walk, under the root's /usr/lib.
root=$work/root
dpkg -x "$deb" "$root"
cd "$work"
unset BREVLINK_BACKEND BREVLINK_LAB_PROFILE 2>/dev/null || true
status=0
CommonProgramFiles=$root/usr/lib KESTROVA_VIRTUAL_CLOCK=1 "$root/usr/bin/kestrova" run --mode automatic \
    --report r.html --junit r.xml --no-progress </dev/null >run.txt 2>&1 || status=$?
[ "$status" -le 1 ] || fail "kestrova run answered $status: $(cat run.txt)"
tail -n 2 run.txt | grep -qx "Testing complete." || fail "the run did not end: $(tail -n 3 run.txt)"
"$root/usr/bin/kestrova" --version | grep -qx "kestrova $version" || fail "kestrova --version is not $version"
PYTHONPATH=$root/usr/lib/python3/dist-packages /usr/bin/python3 -c "import lm_embedded_python_ext" ||
    fail "Debian's python3 cannot import the packaged module"
CommonProgramFiles=$root/usr/lib LD_LIBRARY_PATH=$root/usr/lib/kestrova "$root/usr/bin/lmscript" --yes \
    "$root/usr/share/doc/kestrova/examples/brightness.py" >script.txt 2>&1 ||
    fail "lmscript did not run the packaged example: $(cat script.txt)"
grep -q "brightness:" script.txt || fail "the example printed no brightness: $(cat script.txt)"
zcat "$root/usr/share/man/man1/kestrova.1.gz" | grep -q "project show" || fail "the man page lacks the commands"

status=0
lintian --fail-on error --tag-display-limit 0 "$deb" >lintian.txt 2>lintian-err.txt || status=$?
[ "$status" -eq 0 ] || fail "lintian ($status): $(cat lintian.txt lintian-err.txt)"
[ ! -s lintian.txt ] || { echo "deb_package_test: lintian's warnings and notes:"; cat lintian.txt; }
echo "deb_package_test: passed"
