#!/usr/bin/env bash
# Fails when a folder includes a folder it may not. Folders sit in layers: each may include only
# the folders (or single headers) listed for it below. Usage: check_layering.sh <source root>
set -euo pipefail
set -f  # the table holds "*"; no file-name globbing
root=${1:?usage: check_layering.sh <source root>}
cd "$root"

# folder -> what it may include besides itself ("folder" or "folder/header.h").
declare -A allowed=(
  [src/base]=""
  [src/random]="src/base"
  [src/cards]="src/base src/random"
  [src/layout]="src/base"
  [planet/core]=""
  [planet/gl]="planet/core"
  [src/game]="src/base src/random src/cards src/layout planet/core"
  [src/replay]="src/base src/random src/cards src/layout src/game planet/core"
  [src/music]="src/base src/random"
  [src/platform]="src/base planet/core planet/gl src/music/audio_out.h"
  [src/view]="src/base src/random src/game src/cards src/layout planet/core src/platform/canvas.h src/platform/draw_list.h"
  [src/app]="*"
  [music]="src/music/wav.h"
  [soundtrack]="music src/music/wav.h src/music/mp3_decode.h src/music/music_player.h src/music/sound_effect.h src/music/audio_out.h"
)

# The folder that owns a file: the first key of the table that is a prefix of its path.
owner_of() {
  local path=$1 best=""
  for folder in "${!allowed[@]}"; do
    if [[ $path == "$folder"/* && ${#folder} -gt ${#best} ]]; then best=$folder; fi
  done
  echo "$best"
}

# Quoted includes resolve against src/ first, then the root (the compiler's search order).
resolve() {
  if [ -e "src/$1" ]; then echo "src/$1"; elif [ -e "$1" ]; then echo "$1"; fi
}

violations=0
while IFS= read -r file; do
  from=$(owner_of "$file")
  [ -n "$from" ] || continue
  while IFS= read -r included; do
    target=$(resolve "$included")
    [ -n "$target" ] || continue
    to=$(owner_of "$target")
    [ -n "$to" ] && [ "$to" != "$from" ] || continue
    ok=0
    for rule in ${allowed[$from]}; do
      if [ "$rule" = "*" ] || [ "$rule" = "$to" ] || [ "$rule" = "$target" ]; then ok=1; fi
    done
    if [ $ok = 0 ]; then
      echo "layering: $file includes $target ($from may not include $to)"
      violations=$((violations + 1))
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find src planet music soundtrack -name '*.h' -o -name '*.cpp' 2>/dev/null | sort)

if [ $violations -gt 0 ]; then
  echo "layering: $violations forbidden include(s)"
  exit 1
fi
echo "layering: every include goes down a layer"
