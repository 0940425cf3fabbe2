#!/usr/bin/env bash
# The package on a real system: apt installs it, the installed game runs and its desktop entry
# validates, and apt removes it again without leaving a file behind. It installs and removes
# packages, so it is for CI's fresh machine; where ventora is installed already it stops rather than
# remove someone's own copy.
# Usage: package_install_check.sh <ventora_X.Y.Z_amd64.deb> <version>
set -euo pipefail
deb=$(realpath "$1")
version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

status=$(dpkg-query -W -f='${db:Status-Status}' ventora 2>/dev/null || true)
[ -z "$status" ] || [ "$status" = not-installed ] ||
  fail "ventora is installed on this machine already ($status); this check installs and removes it"

"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
out=$(/usr/games/ventora --version)
[ "$out" = "ventora $version" ] || fail "the installed ventora --version says '$out'"
desktop-file-validate /usr/share/applications/ventora.desktop || fail "the installed desktop entry is invalid"

"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq ventora >/dev/null
status=$(dpkg-query -W -f='${db:Status-Status}' ventora 2>/dev/null || true)
[ -z "$status" ] || [ "$status" = not-installed ] || fail "after apt remove, ventora is '$status'"
left=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $NF); print $NF }' |
  while read -r f; do [ ! -e "$f" ] || echo "$f"; done)
[ -z "$left" ] || fail "apt remove leaves: $left"
echo "ok: apt installed $(basename "$deb"), ventora $version ran, apt removed it and left no file"
