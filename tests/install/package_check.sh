#!/usr/bin/env bash
# The Debian package `make deb` built: its name and Depends (from dpkg-shlibdeps), its file list,
# the executable stripped and without the compiler's .comment section, its debug symbols in the
# -dbgsym package beside it, and lintian --pedantic with no error and no warning.
# Usage: package_check.sh <ventora_X.Y.Z_amd64.deb> <version>
set -euo pipefail
deb=$1
version=$2
dbgsym=$(dirname "$deb")/ventora-dbgsym_${version}_amd64.ddeb
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

[ "$(basename "$deb")" = "ventora_${version}_amd64.deb" ] || fail "package file is $(basename "$deb")"
[ "$(dpkg-deb -f "$deb" Package)" = ventora ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libsdl2-2.0-0 libsdl2-mixer-2.0-0 libepoxy0 libmpg123-0 libstdc++6; do
  grep -q "\b$lib (>=" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

files=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
for f in ./usr/games/ventora ./usr/share/applications/ventora.desktop \
    ./usr/share/metainfo/io.github.ventora.metainfo.xml ./usr/share/man/man6/ventora.6.gz \
    ./usr/share/doc/ventora/copyright ./usr/share/doc/ventora/changelog.gz \
    ./usr/share/lintian/overrides/ventora \
    ./usr/share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/ventora.png; do
  grep -qx -- "$f" <<<"$files" || fail "the package lacks $f"
done
! grep -q '^\./usr/bin/' <<<"$files" || fail "the package has files in /usr/bin"

dpkg-deb -x "$deb" "$scratch/package"
bin=$scratch/package/usr/games/ventora
[[ $(file -b "$bin") == *", stripped"* ]] || fail "the executable is not stripped: $(file -b "$bin")"
! readelf -SW "$bin" | grep -q ' \.comment ' || fail "the executable keeps its .comment section"
[ -f "$dbgsym" ] || fail "no debug symbols package $dbgsym"
build_id=$(readelf -n "$bin" | sed -n 's/.*Build ID: \([0-9a-f]*\)/\1/p')
dpkg-deb -x "$dbgsym" "$scratch/dbgsym"
debug=$scratch/dbgsym/usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug
[ -f "$debug" ] || fail "the -dbgsym package has no symbols for build ID $build_id"
# (readelf says it cannot find the interpreter's name: a symbols file keeps no program data.)
readelf -SW "$debug" 2>/dev/null | grep -q ' \.debug_info ' || fail "$debug holds no debug information"

# One line per finding (E: error, W: warning, I: info, P: pedantic), none expected; only errors and
# warnings fail the check. Both packages at once, so lintian sees the symbols' documentation link
# point into the game's own package.
lintian --pedantic --display-info --fail-on error,warning "$deb" "$dbgsym" ||
  fail "lintian reports errors or warnings (above)"
echo "ok: $(basename "$deb") depends on $depends; lintian --pedantic: no error, no warning"
