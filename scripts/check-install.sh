#!/usr/bin/env bash
# Builds the program as Debian builds a package (Debian's hardening flags
# from dpkg-buildflags, no tests) in build-package/, installs it into a
# scratch folder and checks the tree a desktop expects, validates the menu
# entry and the metainfo, reads the manual pages with mandoc, builds the
# Debian package and has lintian check it: no error, no warning.
# check-install.sh [BUILD]   (default build-package)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
  CXXFLAGS="$CXXFLAGS $CPPFLAGS" cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DAUTOMATEN_TESTS=OFF >/dev/null
fi
cmake --build "$build"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
expected=(
  usr/bin/automaten usr/bin/automaten-cli
  usr/share/applications/de.automaten.automaten.desktop
  usr/share/metainfo/de.automaten.automaten.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/automaten.svg
  usr/share/icons/hicolor/48x48/apps/automaten.png
  usr/share/icons/hicolor/256x256/apps/automaten.png
  usr/share/man/man1/automaten-cli.1.gz
  usr/share/man/man1/automaten.1.gz
  usr/share/doc/automaten/copyright
  usr/share/doc/automaten/changelog.gz
)
missing=0
for f in "${expected[@]}"; do
  [[ -e "$root/$f" ]] || { echo "install: $f is missing" >&2; missing=1; }
done
((missing == 0))
desktop-file-validate "$root/usr/share/applications/de.automaten.automaten.desktop"
# The metainfo without a single remark, pedantic ones included.
remarks=$(appstreamcli validate --pedantic --no-net "$root/usr/share/metainfo/de.automaten.automaten.metainfo.xml" |
          grep -E "^[EWIP]:" || true)
[[ -z "$remarks" ]] || { echo "install: metainfo: $remarks" >&2; exit 1; }
# Both manual pages as mandoc reads them: nothing above the level of style.
for page in automaten-cli.1.gz automaten.1.gz; do
  lint=$(mandoc -Tlint -W warning "$root/usr/share/man/man1/$page" 2>&1) || { echo "install: $page: $lint" >&2; exit 1; }
done
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/automaten_*.deb | head -1)
contents=$(dpkg-deb -c "$deb")
for f in usr/bin/automaten usr/bin/automaten-cli usr/share/applications/de.automaten.automaten.desktop; do
  grep -q "\./$f\$" <<<"$contents" || { echo "install: $deb lacks $f" >&2; exit 1; }
done
# lintian's overrides travel in the package; it says nothing above info.
lintian --fail-on error,warning "$deb" 2> >(grep -v "running with root privileges" >&2)
echo "install: tree, menu entry, metainfo, manual pages and $(basename "$deb") checked, lintian clean"
