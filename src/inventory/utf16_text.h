#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zobl {

// The registry stores texts as UTF-16 (little-endian); the program's texts are UTF-8.

// Nothing when the bytes are no UTF-8 (stray bytes, overlong forms, encoded surrogates).
std::optional<std::u16string> Utf16FromUtf8(std::string_view text);
// Each piece that is no UTF-8 becomes U+FFFD, as the system's own conversion makes it.
std::u16string Utf16FromUtf8Lossy(std::string_view text);
// Nothing when a surrogate stands unpaired: it has no UTF-8 form.
std::optional<std::string> Utf8FromUtf16(std::u16string_view text);

std::string Utf16LeBytes(std::u16string_view text);
// Nothing for an odd number of bytes.
std::optional<std::u16string> Utf16FromLeBytes(std::string_view bytes);

}  // namespace zobl
