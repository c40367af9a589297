#include "platform/utf16_text.h"

#include <cstdint>

namespace zobl {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The code point at the front of `text`, which it leaves behind; nothing (and one byte
// taken) when the front is no UTF-8.
// With `keyName`, also a surrogate in its three-byte form and a zero as C0 80 (the key
// name form).
std::optional<char32_t> TakeCodePoint(std::string_view& text, bool keyName = false) {
  const auto lead = static_cast<unsigned char>(text.front());
  if (keyName && lead == 0xC0 && text.size() >= 2 && static_cast<unsigned char>(text[1]) == 0x80) {
    text.remove_prefix(2);
    return U'\0';
  }
  std::size_t length = 1;
  char32_t point = lead;
  char32_t least = 0;
  if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, point = lead & 0x07, least = 0x10000;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, point = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, point = lead & 0x1F, least = 0x80;
  } else if (lead >= 0x80) {
    text.remove_prefix(1);
    return std::nullopt;
  }
  if (text.size() < length) {
    text.remove_prefix(1);
    return std::nullopt;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!IsContinuation(byte)) {
      text.remove_prefix(1);
      return std::nullopt;
    }
    point = point << 6 | (byte & 0x3F);
  }
  if (point < least || point > 0x10FFFF || (!keyName && point >= 0xD800 && point <= 0xDFFF)) {
    text.remove_prefix(1);
    return std::nullopt;
  }
  text.remove_prefix(length);
  return point;
}

template <typename Put>
void PutUtf16(Put& put, char32_t point) {
  if (point < 0x10000) {
    put(static_cast<char16_t>(point));
  } else {
    point -= 0x10000;
    put(static_cast<char16_t>(0xD800 + (point >> 10)));
    put(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
  }
}

// Each UTF-16 unit of the text, in turn, to `put`: never more units than bytes. False when
// a piece is no UTF-8 and the conversion is not lossy.
template <typename Put>
bool ConvertTo(std::string_view text, bool lossy, bool keyName, Put put) {
  while (!text.empty()) {
    if (const std::optional<char32_t> point = TakeCodePoint(text, keyName)) {
      PutUtf16(put, *point);
    } else if (lossy) {
      put(kReplacement);
    } else {
      return false;
    }
  }
  return true;
}

std::optional<std::u16string> Convert(std::string_view text, bool lossy, bool keyName = false) {
  std::u16string out;
  out.reserve(text.size());
  if (!ConvertTo(text, lossy, keyName, [&out](char16_t unit) { out += unit; })) return std::nullopt;
  return out;
}

}  // namespace

std::optional<std::u16string> Utf16FromUtf8(std::string_view text) { return Convert(text, false); }

std::u16string Utf16FromUtf8Lossy(std::string_view text) { return *Convert(text, true); }

std::u16string Utf16FromKeyName(std::string_view name) { return *Convert(name, true, true); }

namespace {

// What becomes of a unit that has no UTF-8 form.
enum class Unpaired : std::uint8_t { Fails, Replaced, Kept };

// Each byte of the text's UTF-8, in turn, to `put`: at most three for each unit. False
// when a unit stands unpaired and `unpaired` says the conversion fails.
template <typename Put>
bool ToUtf8Bytes(std::u16string_view text, Unpaired unpaired, Put put) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t point = text[i];
    if (point >= 0xD800 && point <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      point = 0x10000 + ((point - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (point >= 0xD800 && point <= 0xDFFF) {
      if (unpaired == Unpaired::Fails) return false;
      if (unpaired == Unpaired::Replaced) point = kReplacement;
    }
    if (point == 0 && unpaired == Unpaired::Kept) {
      put('\xC0');
      put('\x80');
    } else if (point < 0x80) {
      put(static_cast<char>(point));
    } else if (point < 0x800) {
      put(static_cast<char>(0xC0 | point >> 6));
      put(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
      put(static_cast<char>(0xE0 | point >> 12));
      put(static_cast<char>(0x80 | (point >> 6 & 0x3F)));
      put(static_cast<char>(0x80 | (point & 0x3F)));
    } else {
      put(static_cast<char>(0xF0 | point >> 18));
      put(static_cast<char>(0x80 | (point >> 12 & 0x3F)));
      put(static_cast<char>(0x80 | (point >> 6 & 0x3F)));
      put(static_cast<char>(0x80 | (point & 0x3F)));
    }
  }
  return true;
}

std::optional<std::string> ToUtf8(std::u16string_view text, Unpaired unpaired) {
  std::string out;
  out.reserve(text.size());
  if (!ToUtf8Bytes(text, unpaired, [&out](char byte) { out += byte; })) return std::nullopt;
  return out;
}

}  // namespace

std::optional<std::string> Utf8FromUtf16(std::u16string_view text) { return ToUtf8(text, Unpaired::Fails); }

std::string Utf8FromUtf16Lossy(std::u16string_view text) { return *ToUtf8(text, Unpaired::Replaced); }

std::string KeyNameFromUtf16(std::u16string_view name) { return *ToUtf8(name, Unpaired::Kept); }

std::size_t Utf16FromUtf8LossyInto(std::string_view text, char16_t* out) {
  char16_t* next = out;
  ConvertTo(text, true, false, [&next](char16_t unit) { *next++ = unit; });
  return static_cast<std::size_t>(next - out);
}

std::size_t Utf8FromUtf16LossyInto(std::u16string_view text, char* out) {
  char* next = out;
  ToUtf8Bytes(text, Unpaired::Replaced, [&next](char byte) { *next++ = byte; });
  return static_cast<std::size_t>(next - out);
}

// Only the two marks are replaced, byte by byte: a name in another code page (the window's
// on Windows before 10 version 1903) passes through as it is.
std::string ShownKeyName(std::string_view name) {
  std::string shown;
  shown.reserve(name.size());
  for (std::size_t i = 0; i < name.size();) {
    const auto at = [&](std::size_t k) { return i + k < name.size() ? static_cast<unsigned char>(name[i + k]) : 0u; };
    std::size_t mark = 0;
    if (at(0) == 0xC0 && at(1) == 0x80) mark = 2;                                            // a zero
    if (at(0) == 0xED && at(1) >= 0xA0 && at(1) <= 0xBF && IsContinuation(at(2))) mark = 3;  // a surrogate
    if (mark == 0) {
      shown += name[i++];
    } else {
      shown += "\xEF\xBF\xBD";
      i += mark;
    }
  }
  return shown;
}

std::string Utf16LeBytes(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
  }
  return out;
}

std::optional<std::u16string> Utf16FromLeBytes(std::string_view bytes) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  return out;
}

}  // namespace zobl
