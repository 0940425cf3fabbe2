#!/usr/bin/env bash
# `cmake --install` into a scratch prefix with a space in its path: the executable in the prefix's
# games folder, the desktop entry (every launcher line starts that executable, with music as the
# line says) and AppStream metadata, each passing its validator, the icon at every size, the
# compressed man page, the copyright file and changelog; then removing every file the install
# manifest lists leaves no file behind.
# Usage: install_check.sh <build dir> <version>
set -euo pipefail
build=$1
version=$2
scratch=$(mktemp -d)
prefix="$scratch/a prefix"
manifest="$build/install_manifest.txt"
# The check's install must not replace the manifest of a real one (the README removes with it).
[ -f "$manifest" ] && cp -p "$manifest" "$scratch/manifest.saved"
restore() {
  if [ -f "$scratch/manifest.saved" ]; then cp -p "$scratch/manifest.saved" "$manifest"; else rm -f "$manifest"; fi
  rm -rf "$scratch"
}
trap restore EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
bin="$prefix/games/ventora"
out=$("$bin" --version)
[ "$out" = "ventora $version" ] || fail "installed ventora --version says '$out'"
[ ! -e "$prefix/bin" ] || fail "something was installed in bin/: $(ls "$prefix/bin")"

desktop=$prefix/share/applications/ventora.desktop
[ -f "$desktop" ] || fail "no desktop entry"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
grep -qx 'Icon=ventora' "$desktop" || fail "the desktop entry does not name the ventora icon"
grep -qx 'Actions=fullscreen;no-music;' "$desktop" || fail "the desktop entry lacks its actions"
# Each launcher line, its music variable and its arguments: the entry, then its actions in order.
expected=(
  "VENTORA_ENABLE_MUSIC|"
  "VENTORA_ENABLE_MUSIC| --fullscreen"
  "VENTORA_DISABLE_MUSIC|"
)
mapfile -t lines < <(grep '^Exec=' "$desktop")
[ ${#lines[@]} = ${#expected[@]} ] || fail "${#lines[@]} Exec lines, expected ${#expected[@]}"
for i in "${!lines[@]}"; do
  line=${lines[$i]}
  variable=${expected[$i]%%|*}
  arguments=${expected[$i]#*|}
  [ "$line" = "Exec=env $variable=1 \"$bin\"$arguments" ] || fail "'$line' is not env $variable=1 \"$bin\"$arguments"
  # The line as a launcher runs it (the prefix's space is quoted), asked only for the version.
  out=$(eval "${line#Exec=} --version") || fail "'$line' does not run"
  [ "$out" = "ventora $version" ] || fail "'$line --version' says '$out'"
done

metainfo=$prefix/share/metainfo/io.github.ventora.metainfo.xml
[ -f "$metainfo" ] || fail "no AppStream metadata"
appstreamcli validate --pedantic --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
newest=$(grep -m1 -A2 '<release ' "$metainfo")
grep -q "<release version=\"$version\" date=" <<<"$newest" || fail "the newest release is not $version: $newest"
grep -q '<description>' <<<"$newest" || fail "the release $version has no description"
grep -q '<project_license>MIT</project_license>' "$metainfo" || fail "the metadata names no MIT licence"

for size in 16 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/ventora.png
  [ -f "$icon" ] || fail "no ${size} px icon"
  kind=$(file -b "$icon")
  [[ "$kind" == "PNG image data, $size x $size, 8-bit/color RGBA"* ]] || fail "$icon is $kind"
done

man=$prefix/share/man/man6/ventora.6.gz
[ -f "$man" ] || fail "no compressed man page"
[[ $(file -b "$man") == *"max compression"* ]] || fail "the man page is not compressed with gzip -9"
warnings=$(MANWIDTH=80 man --warnings -l "$man" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the man page has warnings: $warnings"
page=$(MANWIDTH=80 man -l "$man" 2>/dev/null)
grep -q -- "--fullscreen" <<<"$page" || fail "the man page lacks --fullscreen"
grep -q "Ventora $version" <<<"$page" || fail "the man page lacks the version"

doc=$prefix/share/doc/ventora
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' "$doc/copyright" ||
  fail "no machine-readable copyright file"
zcat "$doc/changelog.gz" >"$scratch/changelog"
changelog_version=$(dpkg-parsechangelog -l "$scratch/changelog" -S Version)
[ "$changelog_version" = "$version" ] || fail "the changelog's newest entry is $changelog_version, not $version"

# The README's way to remove an install: every file the manifest lists, and nothing is left.
xargs -d '\n' rm <"$manifest"
left=$(find "$prefix" -not -type d)
[ -z "$left" ] || fail "removing the manifest's files leaves: $left"
echo "ok: installed into a prefix; desktop entry and metadata valid, icon at 7 sizes, man page, copyright, changelog; removed cleanly"
