#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: the executable, the desktop entry and AppStream
# metadata (each passing its validator), the icon at every size, and the man page.
# Usage: install_check.sh <build dir> <version>
set -euo pipefail
build=$1
version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
out=$("$prefix/bin/ventora" --version)
[ "$out" = "ventora $version" ] || fail "installed ventora --version says '$out'"

desktop=$prefix/share/applications/ventora.desktop
[ -f "$desktop" ] || fail "no desktop entry"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
grep -qx 'Exec=ventora' "$desktop" || fail "the desktop entry does not start ventora from the PATH"
grep -qx 'Icon=ventora' "$desktop" || fail "the desktop entry does not name the ventora icon"

metainfo=$prefix/share/metainfo/io.github.ventora.metainfo.xml
[ -f "$metainfo" ] || fail "no AppStream metadata"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata's release is not $version"

for size in 16 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/ventora.png
  [ -f "$icon" ] || fail "no ${size} px icon"
  kind=$(file -b "$icon")
  [[ "$kind" == "PNG image data, $size x $size, 8-bit/color RGBA"* ]] || fail "$icon is $kind"
done

man=$prefix/share/man/man6/ventora.6
[ -f "$man" ] || fail "no man page"
warnings=$(MANWIDTH=80 man --warnings -l "$man" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the man page has warnings: $warnings"
page=$(MANWIDTH=80 man -l "$man" 2>/dev/null)
grep -q -- "--fullscreen" <<<"$page" || fail "the man page lacks --fullscreen"
grep -q "Ventora $version" <<<"$page" || fail "the man page lacks the version"
echo "ok: installed into a prefix; desktop entry and metadata valid, icon at 7 sizes, man page"
