#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zobl {

// Texts between UTF-8 and UTF-16 (the registry's and the wide calls' form), in two forms.
// Strict (nothing when the text has no exact form on the other side) wherever a name must
// come back as it was: the registry's value names and the backup file's keys and values,
// where a copy under another name would be worse than none. Lossy (what has no form
// becomes U+FFFD) wherever a text is only shown, drawn or written out. The program's own
// texts are in the process code page (UTF-8 through the manifest, the ANSI code page on
// Windows before 10 version 1903): win32/wide_text.h converts those, through the
// system for another code page, and here for UTF-8, which every UTF-8 text of the program
// (the console's, the command line's, the exports') is converted by.

// Nothing when the bytes are no UTF-8 (stray bytes, overlong forms, encoded surrogates).
std::optional<std::u16string> Utf16FromUtf8(std::string_view text);
// Each piece that is no UTF-8 becomes U+FFFD, as the system's own conversion makes it.
std::u16string Utf16FromUtf8Lossy(std::string_view text);
// Nothing when a surrogate stands unpaired: it has no UTF-8 form.
std::optional<std::string> Utf8FromUtf16(std::u16string_view text);
// Each unpaired surrogate becomes U+FFFD.
std::string Utf8FromUtf16Lossy(std::u16string_view text);
// The two lossy conversions into a buffer the caller keeps, so that a loop converting many
// texts allocates only while it grows: `out` holds at least text.size() units, or three
// bytes for each unit. Returns how many it wrote.
std::size_t Utf16FromUtf8LossyInto(std::string_view text, char16_t* out);
std::size_t Utf8FromUtf16LossyInto(std::u16string_view text, char* out);

// A key name exactly as the registry holds it, in a form the program's 8-bit texts carry:
// UTF-8, with an unpaired surrogate in its three-byte form and a zero as C0 80. Neither is
// UTF-8, so no other name has this form, and the name opens the key it came from. Such a
// name is shown and written as ShownKeyName gives it.
std::string KeyNameFromUtf16(std::u16string_view name);
std::u16string Utf16FromKeyName(std::string_view name);
// U+FFFD for each unpaired surrogate and each zero; every other byte as it is.
std::string ShownKeyName(std::string_view name);

std::string Utf16LeBytes(std::u16string_view text);
// Nothing for an odd number of bytes.
std::optional<std::u16string> Utf16FromLeBytes(std::string_view bytes);

}  // namespace zobl
