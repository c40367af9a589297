#!/usr/bin/env bash
# Builds the demo programs, their data files and their installers, and the remote
# control tool that run.sh uses on a screen without a user.
#   demo/build-demo.sh BUILD_DIR
# Only what is missing or older than its sources is rebuilt.
#
# BUILD_DIR/tools/zobl_remote.exe          clicks and waits on a running ZOBL window
# BUILD_DIR/stage/<program>/...            the files each installer ships
# BUILD_DIR/installers/acme-notes-setup.exe, bravo-sketch-setup.exe   (NSIS, 64-bit)
# BUILD_DIR/installers/charlie-clock.msi                              (MSI, 64-bit)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${1:?usage: build-demo.sh BUILD_DIR}
mkdir -p "$build"
build=$(cd "$build" && pwd)
stage=$build/stage
cxx=x86_64-w64-mingw32-g++-posix

# True when $1 is missing or older than any of the other files.
stale() {
  local target=$1
  shift
  [ -e "$target" ] || return 0
  local source
  for source in "$@"; do
    [ "$source" -nt "$target" ] && return 0
  done
  return 1
}

# compile OUTPUT SOURCE [extra flags...]: one statically linked 64-bit program.
compile() {
  local output=$1 source=$2
  shift 2
  stale "$output" "$source" || return 0
  echo "   compiling $(basename "$output")"
  mkdir -p "$(dirname "$output")"
  "$cxx" -std=c++20 -O2 -s -static -Wall -Wextra -o "$output" "$source" "$@"
}

# text_file FILE BYTES WORDS...: a text file of exactly BYTES bytes, CR LF lines.
text_file() {
  local file=$1 bytes=$2
  shift 2
  [ -f "$file" ] && [ "$(stat -c %s "$file")" -eq "$bytes" ] && return 0
  mkdir -p "$(dirname "$file")"
  awk -v words="$*" 'BEGIN { n = split(words, w, " ");
      for (i = 1; ; i++) printf "%05d %s %s %s\r\n", i, w[i % n + 1], w[(i * 7) % n + 1], w[(i * 3) % n + 1] }' \
    2>/dev/null | head -c "$bytes" >"$file" || true
}

# small_file FILE TEXT: written only when its content changes, so installers stay built.
small_file() {
  local file=$1 text=$2
  [ -f "$file" ] && [ "$(cat "$file")" = "$(printf '%b' "$text")" ] && return 0
  mkdir -p "$(dirname "$file")"
  printf '%b' "$text" >"$file"
}

echo "== demo programs and installers in $build"
compile "$build/tools/zobl_remote.exe" "$here/tools/zobl_remote.cpp"
compile "$stage/acme-notes/acme-notes.exe" "$here/programs/acme_notes.cpp" -mwindows
compile "$stage/bravo-sketch/bravo-sketch.exe" "$here/programs/bravo_sketch.cpp" -mwindows
compile "$stage/charlie-clock/charlie-clock.exe" "$here/programs/charlie_clock.cpp"
compile "$stage/hotel-atlas/hotel-atlas.exe" "$here/programs/hotel_atlas.cpp" -mwindows

# Data files of different sizes, so that the measured directories differ.
small_file "$stage/acme-notes/notes/welcome.txt" \
  'Welcome to Acme Notes.\r\n\r\nType anywhere in this window. Notes are not saved.\r\n'
text_file "$stage/acme-notes/notes/recipes.txt" 180000 soup bread salad pie flour salt butter onion
text_file "$stage/acme-notes/notes/journal.txt" 420000 monday rain walk letter garden train meeting
text_file "$stage/bravo-sketch/brushes/pencil.brush" 262144 pencil stroke layer pixel tone
text_file "$stage/bravo-sketch/brushes/charcoal.brush" 1048576 charcoal stroke layer pixel tone
text_file "$stage/bravo-sketch/brushes/watercolour.brush" 2621440 watercolour stroke layer pixel tone
text_file "$stage/bravo-sketch/samples/harbour.sketch" 614400 harbour stroke layer pixel tone
text_file "$stage/bravo-sketch/samples/mountains.sketch" 1843200 mountains stroke layer pixel tone
small_file "$stage/charlie-clock/zones.txt" 'Tokyo 540\r\nNew_York -300\r\nLondon 0\r\nSydney 660\r\n'
text_file "$stage/charlie-clock/tzdata/zones.dat" 716800 zones stroke layer pixel tone
text_file "$stage/charlie-clock/tzdata/leaps.dat" 20480 leaps stroke layer pixel tone

mkdir -p "$build/installers"
for program in acme-notes bravo-sketch; do
  setup=$build/installers/$program-setup.exe
  mapfile -t shipped < <(find "$stage/$program" -type f)
  if stale "$setup" "$here/installers/$program.nsi" "${shipped[@]}"; then
    echo "   makensis $program.nsi"
    makensis -V2 -DSTAGE="$stage/$program" -DOUTFILE="$setup" "$here/installers/$program.nsi" >/dev/null
  fi
done
msi=$build/installers/charlie-clock.msi
mapfile -t shipped < <(find "$stage/charlie-clock" -type f)
if stale "$msi" "$here/installers/charlie-clock.wxs" "${shipped[@]}"; then
  echo "   wixl charlie-clock.wxs"
  (cd "$stage/charlie-clock" && wixl -a x64 -o "$msi" "$here/installers/charlie-clock.wxs")
fi
