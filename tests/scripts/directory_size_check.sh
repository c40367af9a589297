#!/usr/bin/env bash
# Runs DirectorySize (through its benchmark program) under Wine on trees made here on
# the Linux side, and compares its total with what the tree holds.
#   directory_size_check.sh tree PREFIX EXE    a few thousand files of mixed sizes: the
#                                              total must equal find's sum of file sizes
#   directory_size_check.sh links PREFIX EXE   Unix symlinks forming cycles: the scan must
#                                              end and count each walked file once per walk
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
mode=${1:?mode}
prefix=${2:?prefix}
exe=${3:?program}
"$here/../../cmake/wine-prefix.sh" ensure "$prefix"

name=zobl-size-$mode-$$
root=$prefix/drive_c/$name
. "$here/../../cmake/at-exit.sh"
at_exit rm -rf "$root"
rm -rf "$root"
mkdir -p "$root"

# Bytes in the regular files under a directory, links not followed.
file_sum() { find "$1" -type f -printf '%s\n' | awk '{ s += $1 } END { printf "%.0f\n", s }'; }

scan() {
  local out
  out=$(timeout 60 "$here/../../cmake/wine-run.sh" "$prefix" "$exe" "$1" | tr -d '\r')
  [[ $out =~ ^total\ ([0-9]+)\  ]] || { echo "unexpected output: $out" >&2; return 1; }
  echo "${BASH_REMATCH[1]}"
}

case $mode in
tree)
  # 3,000 files in 150 directories three levels deep; sizes from 0 to several GiB, made
  # sparse; some names with spaces or leading full stops (hidden to Windows).
  perl -e '
    my ($root) = @ARGV; my $seed = 7;
    sub rnd { $seed = ($seed * 1103515245 + 12345) % 2147483648; return $seed; }
    for my $a (0 .. 4) { for my $b (0 .. 5) { for my $c (0 .. 4) {
      my $dir = "$root/top $a/mid$b/" . ($c == 0 ? ".dot$c" : "leaf$c");
      system("mkdir", "-p", $dir) == 0 or die;
      for my $f (0 .. 19) {
        my $r = rnd() % 1000;
        my $size = $r < 600 ? rnd() % 8192 : $r < 950 ? rnd() % 1048576 : $r < 998 ? rnd() % 67108864
                 : 4294967295 + rnd() % 3;
        my $file = $dir . "/" . ($f % 7 == 0 ? ".f$f" : "file $f.dat");
        open(my $h, ">", $file) or die "$file: $!"; truncate($h, $size) or die; close($h);
      }
    } } }' "$root"
  truncate -s 5G "$root/top 0/five-gib.bin"
  expected=$(file_sum "$root")
  ;;
links)
  # tree/d1/up -> ..       the scanned directory itself
  # tree/d1/self -> .      its own directory
  # tree/top -> ..         above the scanned directory
  # tree/p/q/go -> ../../r  and  tree/r/back -> ../p/q: a cycle through two links; each
  #                        is entered once from outside the other, so q and r count twice
  # tree/ext -> ../outside  a link that leads out of the tree, entered
  mkdir -p "$root/tree/d1" "$root/tree/p/q" "$root/tree/r" "$root/outside"
  printf 'abcde' >"$root/tree/five"
  printf '%07d' 0 >"$root/tree/d1/seven"
  truncate -s 1000 "$root/tree/p/q/thousand"
  truncate -s 30000 "$root/tree/r/thirty-k"
  truncate -s 400000 "$root/outside/four-hundred-k"
  ln -s .. "$root/tree/d1/up"
  ln -s . "$root/tree/d1/self"
  ln -s .. "$root/tree/top"
  ln -s ../../r "$root/tree/p/q/go"
  ln -s ../p/q "$root/tree/r/back"
  ln -s ../outside "$root/tree/ext"
  expected=$(($(file_sum "$root/tree") + $(file_sum "$root/tree/p/q") + $(file_sum "$root/tree/r") +
              $(file_sum "$root/outside")))
  name=$name\\tree
  ;;
*)
  echo "unknown mode: $mode" >&2
  exit 2
  ;;
esac

actual=$(scan "C:\\$name")
echo "DirectorySize: $actual   expected: $expected"
[ "$actual" = "$expected" ]
