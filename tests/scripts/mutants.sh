#!/usr/bin/env bash
# How well the host tests guard the portable core: small faults (a comparison flipped, a
# boundary moved by one, a branch dropped, a stand-in text changed, a 64-bit sum cut to
# 32 bits, ...) are planted one at a time in a copy of the tree, each copy's host tests
# are built (native g++, Debug, no sanitizers) and run, and every fault that no test
# caught is listed. The checkout itself is never touched.
#   tests/scripts/mutants.sh [NUMBER...]   (default: every fault; NUMBER as listed)
#   tests/scripts/mutants.sh --list        lists the faults and checks that each applies
# Exits 0 when every fault was caught, 1 when some were not, 2 when a fault no longer
# applies (its text is not found exactly once) or the tree does not build or pass as is.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$root/cmake/at-exit.sh"

files=() olds=() news=() whats=()
# fault FILE OLD NEW WHAT: in src/FILE, the text OLD (found exactly once) becomes NEW.
fault() {
  files+=("$1")
  olds+=("$2")
  news+=("$3")
  whats+=("$4")
}

# Inventory: the columns' texts, the list, the refresh, the command analysis, .reg text.
fault inventory/column_text.cpp '"[NOT YET COMPUTED]"' '"[NOT COMPUTED YET]"' "not-yet-computed stand-in reworded"
fault inventory/column_text.cpp '"[MISSING OR SYSTEM DIRECTORY ?]"' '"[MISSING OR SYSTEM DIRECTORY?]"' "missing-directory stand-in loses its blank"
fault inventory/column_text.cpp 'case SizeState::Unknown: return kUnknownSize;' 'case SizeState::Unknown: return kNotYetComputed;' "unknown size shown as not yet computed"
fault inventory/column_text.cpp 'kNoName = "[NO NAME]"' 'kNoName = "[No Name]"' "no-name stand-in in other letter case"
fault inventory/inventory_list.cpp 'if (index >= rows_.size()) throw std::out_of_range("no row at' 'if (index > rows_.size()) throw std::out_of_range("no row at' "RowAt accepts the index one past the end"
fault inventory/inventory_list.cpp 'std::upper_bound(rows_.begin(), rows_.end(), row, before)' 'std::lower_bound(rows_.begin(), rows_.end(), row, before)' "a new row goes before the names it ties with"
fault inventory/shown_rows.cpp 'n < (wrap ? count : count - start)' 'n < count' "name search wraps when it must not"
fault inventory/row_filter.cpp '|| Holds(row.publisher)' '' "the filter passes the publisher by"
fault ui/column_widths.cpp 'std::max(room.design[c], room.needed[c])' 'room.design[c]' "a column narrower than its title"
fault inventory/inventory_list.cpp '--repaintSuspensions_ > 0' '--repaintSuspensions_ > 1' "repaint resumes one level early"
fault inventory/inventory_refresh.cpp 'expanded->size() >= kRegistryValueCapacity' 'expanded->size() > kRegistryValueCapacity' "an expansion exactly the buffer's size is kept"
fault inventory/inventory_refresh.cpp 'if (source == RegistrySource::Machine32) {' 'if (source != RegistrySource::Machine32) {' "(x86) folders expanded for the wrong view"
fault inventory/inventory_refresh.cpp 'if (step == SubkeyStep::TooLong) continue;' 'if (step == SubkeyStep::TooLong) break;' "a too long key name ends the walk"
fault inventory/inventory_refresh.cpp "static_cast<char>('0' + static_cast<int>(source))" "'0'" "same key name in two sources taken for one descriptor"
fault inventory/inventory_refresh.cpp 'row.command && !analysis.deadPath ? kStatusOk' 'row.command ? kStatusOk' "a dead path no longer warns"
fault inventory/inventory_refresh.cpp 'if (!analysis.directoryFound) {' 'if (true) {' "InstallLocation read even when the command named a directory"
fault inventory/command_analysis.cpp 'static_cast<unsigned char>(c) <= 32' 'static_cast<unsigned char>(c) < 32' "the blank is no longer trimmed"
fault inventory/command_analysis.cpp 'marker != std::string::npos && marker != 0;' 'marker != std::string::npos;' "a marker at the very start no longer ends the search"
fault inventory/command_analysis.cpp 'if (candidate.size() > 3) {' 'if (candidate.size() > 2) {' "a bare drive root counts as a path"
fault inventory/command_analysis.cpp 'return a.size() < b.size(); });' 'return a.size() <= b.size(); });' "among equally short directories the last wins"
fault inventory/command_analysis.cpp 'cut = furtherPath - 1;' 'cut = furtherPath;' "a further path's drive letter stays on the candidate"
fault inventory/command_analysis.cpp '  if (IsNoProgramsOwn(directory, windowsDirectory, fileSystem, locale, sharedFolders)) return analysis;' '' "a shared folder from InstallLocation is taken"
fault inventory/reg_file_text.cpp 'if (column >= kHexLineLength) {' 'if (column > kHexLineLength) {' "hex lines broken one value late"
fault inventory/reg_file_text.cpp "if (c == '\\\\' || c == '\"') out += '\\\\';" "if (c == '\\\\') out += '\\\\';" "double quote no longer escaped"
fault inventory/reg_file_text.cpp 'if (i + 1 == value.bytes.size()) break;' '' "hex data ends with a comma"
fault inventory/reg_file_text.cpp 'for (int i = 3; i >= 0; --i)' 'for (int i = 0; i <= 3; ++i)' "dword bytes written in the wrong order"

# Disk usage: the size text, the directory walk, the compute-sizes run.
fault inventory/size_text.cpp 'if (count > (std::uint64_t{1} << (unit.exponent - 1)))' 'if (count >= (std::uint64_t{1} << (unit.exponent - 1)))' "a unit used from exactly half of itself"
fault inventory/size_text.cpp 'whole < 10 ? 2 : whole < 100 ? 1 : 0' 'whole < 10 ? 2 : whole < 1000 ? 1 : 0' "one decimal kept up to 999"
fault inventory/size_text.cpp '{20, " Mb"}' '{20, " MB"}' "megabyte suffix in capitals"
fault diskusage/directory_size.cpp '    std::uint64_t total = 0;
    do {' '    std::uint32_t total = 0;
    do {' "a directory's total cut to 32 bits"
fault diskusage/directory_size.cpp 'if (!pathFits) return entry.listedSize;' 'if (!pathFits) return 0;' "a file whose path does not fit counts nothing"
fault diskusage/directory_size.cpp "(name[1] == '.' && name[2] == '\\0')" "name[1] == '.'" "a directory named ..x passed over like .."
fault diskusage/directory_size.cpp 'if (text.size() >= buffer_.size() - length_) return false;' 'if (text.size() > buffer_.size() - length_) return false;' "a path filling the buffer leaves no room for its end"
fault ui/run_presenter.cpp 'if (elapsed > kPieRefreshAfterMilliseconds || first_)' 'if (elapsed > kPieRefreshAfterMilliseconds)' "no pie after the first row"
fault diskusage/compute_sizes_run.cpp 'if (!row.directory || row.directory->empty()) {' 'if (!row.directory) {' "an empty directory is measured as the drive's root"
fault ui/run_presenter.cpp '  if (display_.PieTabShown()) display_.RefreshPie();
}' '}' "no pie at the end of the run"

# Reports: the pie's data, groups and layout, the number format, printing.
fault reports/pie_data.cpp 'if (lump <= 0) return;' 'if (lump < 0) return;' "a lump of nothing gets a slice"
fault reports/pie_data.cpp 'return values[a] < values[b]; });' 'return values[a] > values[b]; });' "slices in descending order"
fault reports/pie_data.cpp 'PieHueColour((share * 0.5 + before) * kHueSegments)' 'PieHueColour((share + before) * kHueSegments)' "hue taken at the slice's end"
fault reports/pie_groups.cpp 'kLongestJoinedPiece = 20;' 'kLongestJoinedPiece = 21;' "joined names cut one character later"
fault reports/pie_groups.cpp 'if (row.sizeBytes == 0) continue;' '' "rows not measured get a group"
fault reports/pie_groups.cpp 'absorbed[inside] = inside != *related;' 'absorbed[inside] = true;' "the group taking the others over is dropped too"
fault reports/pie_layout.cpp 'fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0)' 'fraction >= 0.5' "halves rounded up, not to even"
fault reports/pie_layout.cpp 'if (end - start < kNarrowestSlice) end = start + kNarrowestSlice;' '' "slices narrower than a degree"
fault reports/pie_layout.cpp 'if (anchor.y > c.y) anchor.y += layout.rimDepth;' 'if (anchor.y >= c.y) anchor.y += layout.rimDepth;' "marks at the centre's height go down with the rim"
fault reports/pie_layout.cpp 'std::min(static_cast<int>(slices.size()), fit)' 'static_cast<int>(slices.size())' "the legend lists slices that do not fit"
fault reports/number_format.cpp "number.digits[kept] >= '5'" "number.digits[kept] > '5'" "a five is rounded down"
fault reports/number_format.cpp 'if (next_ % 3 == 2 && next_ != top_) out += separator_;' 'if (next_ % 3 == 2) out += separator_;' "a separator before the first digit"
fault reports/number_format.cpp 'return "NAN";' 'return "NaN";' "not-a-number text in other letter case"
fault reports/number_format.cpp 'if (shownDecimals > 0) out += separators.decimal;' 'out += separators.decimal;' "a point without decimals"
fault reports/print_pagination.cpp 'if (y >= pageHeight - line && row + 1 < rows) {' 'if (y > pageHeight - line && row + 1 < rows) {' "a page takes one line more"
fault reports/print_pagination.cpp 'copies.byPrinter || copies.count < 1 ? 1' 'copies.count < 1 ? 1' "copies made twice when the printer makes them"
fault reports/print_pagination.cpp 'if (copies.collate) {' 'if (!copies.collate) {' "collation reversed"

# Path rules, sorting, the command to start.
fault platform/path_rules.cpp "UpperAscii(c) <= 'Z'; }" "UpperAscii(c) < 'Z'; }" "Z is no drive letter"
fault platform/path_rules.cpp "return end == text.size() || text[end] == '\\\\' || directory.back() == '\\\\';" "return end == text.size() || text[end] == '\\\\';" "a directory given with its backslash no longer matches"
fault platform/path_rules.cpp 'return text.size() >= suffix.size() &&' 'return text.size() > suffix.size() &&' "a text is not its own suffix"
fault platform/path_rules.cpp 'bool IsBelowDriveRoot(std::string_view path) { return path.size() > 3' 'bool IsBelowDriveRoot(std::string_view path) { return path.size() >= 3' "the drive root counts as below itself"
fault platform/path_rules.cpp '!outer.empty() && inner.size() > outer.size()' '!outer.empty() && inner.size() >= outer.size()' "a directory is above itself"
fault ui/list_sorting.cpp '  sortColumn_ = chosenIndex;
' '' "a pick in the box keeps the old sort column"
fault ui/list_sorting.cpp 'first.sizeBytes > second.sizeBytes ? -1 : 1' 'first.sizeBytes < second.sizeBytes ? -1 : 1' "sizes smallest first"
fault ui/list_sorting.cpp 'return order < 0 ? 1 : order > 0 ? -1 : 0;' 'return order;' "dates oldest first"
fault ui/list_sorting.cpp '  if (chosenIndex < 0) return;' '' "no choice in the box sorts anyway"
fault ui/command_to_start.cpp "return c == ' ' || c == '\\t';" "return c == ' ';" "a tab is no blank"
fault ui/command_to_start.cpp ')) longestExisting = end;' ')) longest = end;' "an existing program no longer preferred"
fault ui/command_to_start.cpp '  if (program.find_first_of(" \t") == std::string::npos) return command;  // nothing to mistake' '' "a path without blanks is quoted"
fault ui/command_to_start.cpp 'if (!driveAbsolute && !unc) return command;' 'if (!driveAbsolute) return command;' "network paths left unquoted"

# What leaves the program, the command line, shared folders, the background picture.
fault inventory/spreadsheet_text.cpp 'kFormulaStarts = "=+-@\t\r";' 'kFormulaStarts = "=+-\t\r";' "a text beginning with @ left a formula"
fault inventory/inventory_refresh.cpp 'return uninstall.Opening() == KeyOpening::Missing;' 'return true;' "an Uninstall key that cannot be opened read as empty"
fault ui/list_commands.cpp 'Opening() == KeyOpening::Missing) return;' 'Opening() == KeyOpening::Failed) return;' "a descriptor gone during its copy blamed on the backup"
fault commandline/export_command_line.cpp '  if (arguments.size() == 1 && IsSwitch(arguments[0], "?")) return {Action::Help};
' '' "/? taken for a usage error"
fault inventory/command_analysis.cpp 'if (profileEnd == std::string_view::npos) return true;' 'if (profileEnd == std::string_view::npos) return false;' "a profile in the Users folder taken for a program's own"
fault inventory/command_analysis.cpp 'return final && (ContainsWindowsDirectory' 'return false && (ContainsWindowsDirectory' "a link to a shared folder taken for a program's own"
fault inventory/command_analysis.cpp '      if (SamePathIgnoringCase(rest, known, locale)) return true;' '' "another profile's temporary folder taken for a program's own"
fault inventory/descriptor_values.cpp 'details.estimatedSizeBytes = *kib * 1024;' 'details.estimatedSizeBytes = *kib;' "the estimated size left in KiB"
fault inventory/descriptor_values.cpp 'values.Number("WindowsInstaller") == 1u && ' '' "a product code without Windows Installer"
fault inventory/inventory_refresh.cpp 'if (registry_.LastFailure() == kRegistryNotFound) return std::nullopt;' 'return std::nullopt;' "a descriptor that refuses reading passed over in silence"
fault inventory/inventory_csv.cpp '    AppendQuoted(csv, SpreadsheetText(ColumnText(row, column)));' '    csv += SpreadsheetText(ColumnText(row, column));' "a text split at a list separator"
fault platform/console_text.cpp 'if (byte < 0x20 && ' 'if (byte < 0x1B && ' "an escape sequence reaches the console"
fault platform/path_rules.cpp 'name = name.substr(0, name.find('"'"'.'"'"'));' '' "NUL with an extension taken for a file"
fault inventory/command_analysis.cpp '    if (isDirectory) ResolveLongPath(candidate, kPathCapacity, fileSystem, knownParents);
' '' "a shared folder by its short name taken for a program's own"
fault texture/texture_file.cpp 'coloursUsed > kMostColours)' 'coloursUsed > kMostColours + 1)' "a picture that claims 257 colours accepted"

list_only=0
if [ "${1:-}" = --list ]; then
  list_only=1
  shift
fi
chosen=("$@")
if ((${#chosen[@]} == 0)); then
  for i in "${!files[@]}"; do chosen+=($((i + 1))); done
fi

work=$(mktemp -d)
at_exit rm -rf "$work"
tree=$work/tree
mkdir "$tree"
tar -C "$root" --exclude=./build --exclude=./.git -cf - . | tar -C "$tree" -xf -

# Every chosen fault must still apply before anything is built.
occurrences() { OLD=$2 perl -0ne 'print scalar(() = /\Q$ENV{OLD}\E/g)' "$tree/src/$1"; }
broken=0
for n in "${chosen[@]}"; do
  i=$((n - 1))
  [ -n "${files[i]:-}" ] || { echo "mutants.sh: no fault number $n" >&2; exit 2; }
  found=$(occurrences "${files[i]}" "${olds[i]}")
  if [ "$found" != 1 ]; then
    echo "mutants.sh: fault $n (${whats[i]}) no longer applies: its text is found $found times in src/${files[i]}" >&2
    broken=1
  fi
done
((broken == 0)) || exit 2
if ((list_only)); then
  for n in "${chosen[@]}"; do printf '%3d  %-34s %s\n' "$n" "${files[n - 1]}" "${whats[n - 1]}"; done
  exit 0
fi

build=$tree/build
echo "== building the host tests in $build"
cmake -S "$tree" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=g++ >"$work/configure.log" 2>&1 ||
  { cat "$work/configure.log" >&2; exit 2; }
build_tests() { cmake --build "$build" -j"$(nproc)" --target zobl_host_tests >"$work/build.log" 2>&1; }
run_tests() {
  (cd "$build/tests/host" && timeout 300 ./zobl_host_tests --gtest_brief=1 >"$work/test.log" 2>&1)
}
build_tests || { cat "$work/build.log" >&2; exit 2; }
run_tests || { echo "mutants.sh: the host tests fail without any fault:" >&2; tail -30 "$work/test.log" >&2; exit 2; }

survived=()
for n in "${chosen[@]}"; do
  i=$((n - 1))
  file=$tree/src/${files[i]}
  cp -p "$file" "$work/original"
  OLD=${olds[i]} NEW=${news[i]} perl -0pi -e 's/\Q$ENV{OLD}\E/$ENV{NEW}/' "$file"
  status=0
  if ! build_tests; then
    verdict="does not build"
    broken=1
  elif run_tests || status=$?; ((status == 0)); then
    verdict="NOT CAUGHT"
    survived+=("$n")
  elif ((status == 124)); then
    verdict="caught (hangs)"
  else
    failed=$(grep -oE '^\[  FAILED  \] [^ ]+\.[^ ]+' "$work/test.log" | sort -u | wc -l)
    if ((failed > 0)); then verdict="caught ($failed failing)"; else verdict="caught (exit $status)"; fi
  fi
  printf '%3d  %-24s %-34s %s\n' "$n" "$verdict" "${files[i]}" "${whats[i]}"
  cp "$work/original" "$file"  # newer than the fault's object: the next build takes it again
done

echo "${#chosen[@]} faults, $((${#chosen[@]} - ${#survived[@]})) caught, ${#survived[@]} not caught"
for n in "${survived[@]}"; do
  i=$((n - 1))
  echo "  not caught: $n  src/${files[i]}: ${whats[i]}"
done
((broken == 0)) || exit 2
((${#survived[@]} == 0))
