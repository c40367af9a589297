#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/locale.h"

namespace zobl {

// Letter case as the registry compares key names and the directory scan compares paths:
// the ASCII letters only, whatever the user's locale.
constexpr char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; }
// Whether the text is ASCII throughout: then its ASCII upper case is its upper case in
// every script, and no trip through the locale is needed.
bool IsAscii(std::string_view text);
void AssignUpperAscii(std::string& out, std::string_view text);
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);
bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix);
// Where `part` first occurs in `text` at or after `from`, or npos.
std::size_t FindIgnoringAsciiCase(std::string_view text, std::string_view part, std::size_t from = 0);

// Letter case as the user's locale folds it, in every script: the command analysis
// compares what installers wrote as the system's own upper case does.
bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix, const Locale& locale);

// Whether two texts name the same path: letter case folded by the locale, a trailing
// backslash ignored.
bool SamePathIgnoringCase(std::string_view a, std::string_view b, const Locale& locale);

// An ASCII letter, a colon and a backslash begin the path ("C:\").
bool StartsWithDriveRoot(std::string_view path);
// A drive path that names more than the bare root, which is never a program's directory.
bool IsBelowDriveRoot(std::string_view path);

// Whether opening the path opens one of the devices the system names in every folder (NUL,
// CON, PRN, AUX, COM1-9, LPT1-9, with any extension: "nul.csv" is NUL), or one named as
// a device ("\\.\X").
bool NamesDevice(std::string_view path);

// Containment is judged on whole names: "C:\Apps" holds "C:\Apps\Tool" but not
// "C:\Apps2", a directory written with its backslash ("C:\") holds all below it, and an
// empty one holds nothing.
// The three tests differ on purpose in case and in where the directory may stand.

// Whether `outer` is a directory above `inner`, byte for byte: the pie groups the
// directory texts as the list shows them, so another spelling is another directory.
bool IsAbove(std::string_view outer, std::string_view inner);
// Whether `ancestor` is `path` itself or a directory above it, ASCII case ignored as
// the file system ignores it: the scan's test of where a link leads.
bool IsSameOrAboveIgnoringAsciiCase(std::string_view ancestor, std::string_view path);
// Whether `directory` stands anywhere in `text` as a whole path, case folded by the
// locale: the Windows directory inside a path cut from a command.
bool ContainsPathIgnoringCase(std::string_view text, std::string_view directory, const Locale& locale);

}  // namespace zobl
