#pragma once

#include <utility>

namespace zobl::testing {

// Upper case as names are matched, the same on the host and on the system: ASCII, the
// accented Latin letters, Greek and Cyrillic fold; digits, signs, CJK and emoji stay.
inline constexpr std::pair<const char*, const char*> kUpperCaseCases[] = {
    {"", ""},
    {"Program files-2", "PROGRAM FILES-2"},
    {"caf\xC3\xA9 \xC3\xBF", "CAF\xC3\x89 \xC5\xB8"},                             // é É, ÿ Ÿ
    {"\xD0\xBF\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD0\xB0",  // программа
     "\xD0\x9F\xD0\xA0\xD0\x9E\xD0\x93\xD0\xA0\xD0\x90\xD0\x9C\xD0\x9C\xD0\x90"},  // ПРОГРАММА
    {"\xD1\x91\xCE\xB1", "\xD0\x81\xCE\x91"},                                     // ё α
    {"\xE3\x83\x97\xF0\x9F\x98\x80", "\xE3\x83\x97\xF0\x9F\x98\x80"},             // プ 😀
};

}  // namespace zobl::testing
