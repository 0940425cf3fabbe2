#!/usr/bin/env bash
# Fails when a folder includes or links what it may not. Folders sit in layers: each may include
# only the folders (or single headers) listed for it below, link only those folders' libraries, and
# link only the system libraries listed for it, also not through a library of ours.
# Usage: check_layering.sh <source root> <link lines>
# (<link lines>: what each target links, as cmake/link_lines.cmake writes it at generate time.)
set -euo pipefail
set -f  # the tables hold "*"; no file-name globbing
root=${1:?usage: check_layering.sh <source root> <link lines>}
link_lines=${2:?usage: check_layering.sh <source root> <link lines>}
[ -r "$link_lines" ] || { echo "layering: cannot read $link_lines"; exit 1; }
cd "$root"

# folder -> what it may include and link besides itself ("folder" or "folder/header.h").
declare -A allowed=(
  [src/base]=""
  [src/random]="src/base"
  [src/cards]="src/base src/random"
  [src/layout]="src/base"
  [src/draw]="src/base"
  [planet/core]=""
  [src/gl]="src/base"
  [planet/gl]="src/base planet/core src/gl"
  [src/game]="src/base src/random src/cards src/layout planet/core"
  [src/replay]="src/base src/random src/cards src/layout src/game planet/core"
  [src/music]="src/base src/random"
  [src/render]="src/base src/draw src/gl planet/core planet/gl"
  [src/platform]="src/base src/draw src/gl src/render planet/core planet/gl src/music/audio_out.h"
  [src/view]="src/base src/random src/game src/cards src/layout src/draw planet/core"
  [src/app]="*"
  [soundtrack]="src/music/wav.h src/music/mp3_decode.h src/music/music_player.h src/music/sound_effect.h src/music/audio_out.h"
)

# folder -> the system libraries it may link (none when it has no row), by the names system_name
# gives them.
declare -A system_libraries=(
  [src/gl]="epoxy gl"
  [planet/gl]="epoxy gl"
  [src/music]="mpg123 threads"
  [src/render]="epoxy gl"
  [src/platform]="sdl2 sdl2_mixer epoxy gl"
  [src/app]="*"
  [soundtrack]="mp3lame fluidsynth mpg123"
)

# The folder that owns a file: the first key of the table that is a prefix of its path.
owner_of() {
  local path=$1 best=""
  for folder in "${!allowed[@]}"; do
    if [[ $path == "$folder"/* && ${#folder} -gt ${#best} ]]; then best=$folder; fi
  done
  echo "$best"
}

# True when folder $1 may use folder $2 (or, for an include, the header $3 in it).
may_use() {
  local rule
  for rule in ${allowed[$1]}; do
    if [ "$rule" = "*" ] || [ "$rule" = "$2" ] || [ "$rule" = "${3-}" ]; then return 0; fi
  done
  return 1
}

# True when folder $1 may link the system library $2.
may_link_system() {
  local rule
  for rule in ${system_libraries[$1]-}; do
    if [ "$rule" = "*" ] || [ "$rule" = "$2" ]; then return 0; fi
  done
  return 1
}

# Quoted includes resolve against src/ first, then the root (the compiler's search order).
resolve() {
  if [ -e "src/$1" ]; then echo "src/$1"; elif [ -e "$1" ]; then echo "$1"; fi
}

forbidden_includes=0
while IFS= read -r file; do
  from=$(owner_of "$file")
  [ -n "$from" ] || continue
  while IFS= read -r included; do
    target=$(resolve "$included")
    [ -n "$target" ] || continue
    to=$(owner_of "$target")
    [ -n "$to" ] && [ "$to" != "$from" ] || continue
    if ! may_use "$from" "$to" "$target"; then
      echo "layering: $file includes $target ($from may not include $to)"
      forbidden_includes=$((forbidden_includes + 1))
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find src planet soundtrack -name '*.h' -o -name '*.cpp' 2>/dev/null | sort)

# The project's targets: the folder each is defined in and what it links.
declare -A folder_of=() links_of=()
while IFS=$'\t' read -r folder target links; do
  folder_of[$target]=$folder
  links_of[$target]=$links
done < "$link_lines"
if [ ${#folder_of[@]} = 0 ]; then
  echo "layering: $link_lines lists no targets"
  exit 1
fi

# What a target links: its entries, one a line. A target_link_libraries call from another folder
# leaves "::@(...)" markers among them, which name nothing.
entries_of() {
  tr ';' '\n' <<< "${links_of[$1]}" | grep -v -e '^$' -e '^::@' || true
}

# The library a link entry names: PkgConfig::SDL2 -> sdl2, /usr/lib/libmp3lame.so -> mp3lame,
# -lGL -> gl.
system_name() {
  local name=${1##*::}
  name=${name##*/}
  name=${name#-l}
  if [[ $name == lib*.so* || $name == lib*.a ]]; then
    name=${name#lib}
    name=${name%%.so*}
    name=${name%.a}
  fi
  echo "${name,,}"
}

# closure[target]: every system library the target links, itself or through targets of ours.
declare -A closure=()
close_over() {
  local target=$1 entry found=""
  [[ -v closure[$target] ]] && return
  closure[$target]=""  # static libraries may link in a cycle; the walk stops where it began
  while IFS= read -r entry; do
    if [[ -v folder_of[$entry] ]]; then
      close_over "$entry"
      found+=" ${closure[$entry]}"
    else
      found+=" $(system_name "$entry")"
    fi
  done < <(entries_of "$target")
  closure[$target]=$(tr ' ' '\n' <<< "$found" | sort -u | xargs)
}

forbidden_links=0
report_link() {
  echo "layering: $1"
  forbidden_links=$((forbidden_links + 1))
}
while IFS= read -r target; do
  from=$(owner_of "${folder_of[$target]}/")
  [ -n "$from" ] || continue
  declare -A reported=()
  while IFS= read -r entry; do
    if [[ -v folder_of[$entry] ]]; then
      to=$(owner_of "${folder_of[$entry]}/")
      if [ -n "$to" ] && [ "$to" != "$from" ] && ! may_use "$from" "$to"; then
        report_link "$target ($from) links $entry ($from may not link $to)"
      fi
    else
      name=$(system_name "$entry")
      if ! may_link_system "$from" "$name" && [[ ! -v reported[$name] ]]; then
        reported[$name]=1
        report_link "$target ($from) links $name ($from may not link $name)"
      fi
    fi
  done < <(entries_of "$target")
  while IFS= read -r entry; do
    [[ -v folder_of[$entry] ]] || continue
    close_over "$entry"
    for name in ${closure[$entry]}; do
      if ! may_link_system "$from" "$name" && [[ ! -v reported[$name] ]]; then
        reported[$name]=1
        report_link "$target ($from) links $name through $entry ($from may not link $name)"
      fi
    done
  done < <(entries_of "$target")
  unset reported
done < <(printf '%s\n' "${!folder_of[@]}" | sort)

if [ $forbidden_includes -gt 0 ] || [ $forbidden_links -gt 0 ]; then
  echo "layering: $forbidden_includes forbidden include(s), $forbidden_links forbidden link(s)"
  exit 1
fi
echo "layering: every include and every link goes down a layer"
