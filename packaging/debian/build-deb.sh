#!/bin/sh
# Builds kestrova_<version>_amd64.deb from a Release tree with dpkg-deb: the programs stripped,
# the man page from kestrova's own --help and --version, Depends from the binaries' libraries.
# build-deb.sh VERSION OUTPUT SOURCE_DIR KESTROVA LMSCRIPT LIBBREVLINK PYTHON_MODULE COMMON_FILES
set -eu
version=$1
output=$2
source_dir=$3
kestrova=$4
lmscript=$5
libbrevlink=$6
module=$7
common_files=$8
here=$source_dir/packaging/debian

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
drivers="$root$common_files/Velmora Displays/Drivers"
private=$root/usr/lib/kestrova
doc=$root/usr/share/doc/kestrova
mkdir -p "$root/DEBIAN" "$root/usr/bin" "$drivers" "$private" "$root/usr/lib/python3/dist-packages" \
    "$root/usr/share/kestrova/lab" "$root/usr/share/man/man1" "$root/usr/lib/udev/rules.d" "$doc"

install -m 0755 -s "$kestrova" "$root/usr/bin/kestrova"
install -m 0755 -s "$lmscript" "$root/usr/bin/lmscript"
install -m 0644 -s "$libbrevlink" "$drivers/libbrevlink.so"
# The module lives in Kestrova's private folder, where lmscript (linked against it) finds it;
# Python finds it through the link in dist-packages.
install -m 0644 -s "$module" "$private/lm_embedded_python_ext.so"
ln -s ../../kestrova/lm_embedded_python_ext.so "$root/usr/lib/python3/dist-packages/lm_embedded_python_ext.so"
install -m 0644 "$source_dir"/lab/*.json "$source_dir/lab/README.md" "$root/usr/share/kestrova/lab/"
mkdir -p "$root/usr/share/kestrova/lab/quirks"
install -m 0644 "$source_dir"/lab/quirks/*.json "$root/usr/share/kestrova/lab/quirks/"
install -m 0644 "$here/60-kestrova-i2c.rules" "$root/usr/lib/udev/rules.d/"
install -m 0644 "$here/copyright" "$doc/copyright"
mkdir -p "$doc/examples"
install -m 0644 "$source_dir"/examples/*.py "$doc/examples/"
sed -e "s/@VERSION@/$version/g" -e "s/@DATE@/$(date -R -u -d @"${SOURCE_DATE_EPOCH:-$(date +%s)}")/" \
    "$here/changelog.in" | gzip -9n >"$doc/changelog.gz"
chmod 0644 "$doc/changelog.gz"

# man_page PROGRAM NAME: its page from its own --help and --version.
# lmscript finds the module in the build tree only when told: its run path is the installed one.
man_page() {
    page=$root/usr/share/man/man1/$(basename "$1").1
    LD_LIBRARY_PATH=$(dirname "$module") help2man --no-info --section=1 --source="Velmora Displays" --name="$2" \
        --output="$page" "$1"
    grep -q '^\.SH DESCRIPTION' "$page" || { echo "build-deb: no man page from $1 --help" >&2; exit 1; }
    gzip -9n "$page"
    chmod 0644 "$page.gz"
}
man_page "$kestrova" "DDC/CI and MCCS compliance tester for monitors"
man_page "$lmscript" "run a Python script against a monitor through lm_embedded_python_ext"

install -m 0755 "$here/postinst" "$root/DEBIAN/postinst"
# Depends: what the binaries link against, as dpkg-shlibdeps finds it (it wants a debian/control).
mkdir -p "$work/src/debian"
printf 'Source: kestrova\n\nPackage: kestrova\nArchitecture: amd64\n' >"$work/src/debian/control"
shlibs=$(cd "$work/src" && dpkg-shlibdeps -O "-l$private" "$root/usr/bin/kestrova" "$root/usr/bin/lmscript" \
    "$drivers/libbrevlink.so" "$private/lm_embedded_python_ext.so" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
[ -n "$shlibs" ] || { echo "build-deb: dpkg-shlibdeps found no dependencies" >&2; exit 1; }
depends="$shlibs, python3 (>= 3.11), python3 (<< 3.12), adduser"
size=$(du -k -s --exclude=DEBIAN "$root" | cut -f1)
sed -e "s/@VERSION@/$version/" -e "s/@INSTALLED_SIZE@/$size/" -e "s/@DEPENDS@/$depends/" "$here/control.in" \
    >"$root/DEBIAN/control"
(cd "$root" && find . -path ./DEBIAN -prune -o -type f -print | sed 's|^\./||' | LC_ALL=C sort |
    xargs -d '\n' md5sum) >"$root/DEBIAN/md5sums"
chmod 0644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"

mkdir -p "$(dirname "$output")"
dpkg-deb --root-owner-group -Zxz --build "$root" "$output" >/dev/null
echo "build-deb: $output"
