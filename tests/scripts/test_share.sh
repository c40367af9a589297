#!/usr/bin/env bash
# How much test code stands beside the program: the non-blank lines of src/ against
# those of each test tier, with the fakes and shared cases of tests/common apart.
# Counted: C++ sources and headers, resource scripts and shell scripts (not the CMake
# files, the fuzzers' seed corpora and dictionaries, nor the manifests).
#   tests/scripts/test_share.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."

# Non-blank lines of the counted files among those named on standard input.
count_lines() {
  grep -E '\.(cpp|h|rc|sh)$' | { xargs -r -d '\n' cat; } | grep -c '[^[:space:]]' || true
}
files_under() { find "$@" -type f | sort; }

# src/ split in two by folder: the Windows side (every win32/ folder, the window in
# mainwindow/ and the program in app/), the portable core for the rest.
windows_side=$(mktemp)
portable=$(mktemp)
trap 'rm -f "$windows_side" "$portable"' EXIT
while IFS= read -r file; do
  if [[ $file == */win32/* || $file == src/mainwindow/* || $file == src/app/* ]]; then
    echo "$file" >>"$windows_side"
  else
    echo "$file" >>"$portable"
  fi
done < <(files_under src | grep -E '\.(cpp|h|rc|sh)$')

src_lines=$(files_under src | count_lines)
portable_lines=$(count_lines <"$portable")
windows_lines=$(count_lines <"$windows_side")

row() { printf '%-40s %7s %9s\n' "$1" "$2" "$3"; }
ratio() { awk -v a="$1" -v b="$src_lines" 'BEGIN { printf "%.2f", b ? a / b : 0 }'; }

row "non-blank lines" "lines" "per src"
row "src/" "$src_lines" "1.00"
row "  portable core" "$portable_lines" "$(ratio "$portable_lines")"
row "  Windows side" "$windows_lines" "$(ratio "$windows_lines")"
total=0
for tier in host win gui churn fuzz scripts; do
  lines=$(files_under "tests/$tier" | count_lines)
  total=$((total + lines))
  row "tests/$tier" "$lines" "$(ratio "$lines")"
done
common=$(files_under tests/common | count_lines)
row "tests/common (fakes, shared cases)" "$common" "$(ratio "$common")"
row "tests/ in all" "$((total + common))" "$(ratio $((total + common)))"
