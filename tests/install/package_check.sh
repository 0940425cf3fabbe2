#!/usr/bin/env bash
# The Debian package `make deb` built: its name, its Depends (from dpkg-shlibdeps) and its file list.
# Usage: package_check.sh <ventora_X.Y.Z_amd64.deb> <version>
set -euo pipefail
deb=$1
version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

[ "$(basename "$deb")" = "ventora_${version}_amd64.deb" ] || fail "package file is $(basename "$deb")"
[ "$(dpkg-deb -f "$deb" Package)" = ventora ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libsdl2-2.0-0 libsdl2-mixer-2.0-0 libepoxy0 libmpg123-0 libstdc++6; do
  grep -q "\b$lib (>=" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
files=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
for f in ./usr/bin/ventora ./usr/share/applications/ventora.desktop \
    ./usr/share/metainfo/io.github.ventora.metainfo.xml ./usr/share/man/man6/ventora.6 \
    ./usr/share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/ventora.png; do
  grep -qx -- "$f" <<<"$files" || fail "the package lacks $f"
done
echo "ok: $(basename "$deb") depends on $depends"
