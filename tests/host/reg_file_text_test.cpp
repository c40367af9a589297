#include "inventory/reg_file_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace zobl::testing {
namespace {

using namespace std::literals;

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

// Texts as the registry stores them.
std::string Le(std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  return bytes;
}

TEST(RegFileTextTest, EachValueTypeIsWrittenSoThatImportRestoresIt) {
  struct Case {
    const char* title;
    RegistryValue value;
    std::string lines;
  };
  const Case cases[] = {
      {"string with quotes and backslashes",
       {"Str", 1, Le(u"He said \"hi\" in C:\\x\0"sv)},
       "\"Str\"=\"He said \\\"hi\\\" in C:\\\\x\"\r\n"},
      {"the unnamed value, Japanese", {"", 1, Le(u"メモ帳\0"sv)}, "@=\"メモ帳\"\r\n"},
      {"Cyrillic name, emoji text", {"Значок", 1, Le(u"😀\0"sv)}, "\"Значок\"=\"😀\"\r\n"},
      {"a value name with a quote", {"a\"b\\", 1, Le(u"\0"sv)}, "\"a\\\"b\\\\\"=\"\"\r\n"},
      {"a value name with line breaks", {"Two\r\nlines\n", 1, Le(u"v\0"sv)}, "\"Two\\r\\nlines\\n\"=\"v\"\r\n"},
      {"expand-string", {"Exp", 2, Le(u"%P%\\é\0"sv)}, "\"Exp\"=hex(2):25,00,50,00,25,00,5c,00,e9,00,00,00\r\n"},
      {"multi-string", {"Multi", 7, Le(u"a\0ж\0\0"sv)}, "\"Multi\"=hex(7):61,00,00,00,36,04,00,00,00,00\r\n"},
      {"dword", {"Dw", 4, std::string("\x78\x56\x34\x12", 4)}, "\"Dw\"=dword:12345678\r\n"},
      {"dword of the wrong size", {"Dw3", 4, std::string("\x01\x02\x03", 3)}, "\"Dw3\"=hex(4):01,02,03\r\n"},
      {"qword",
       {"Qw", 11, std::string("\x08\x07\x06\x05\x04\x03\x02\x01", 8)},
       "\"Qw\"=hex(b):08,07,06,05,04,03,02,01\r\n"},
      {"binary", {"Bin", 3, std::string("\x00\xff\x10", 3)}, "\"Bin\"=hex:00,ff,10\r\n"},
      {"empty binary", {"Empty", 3, ""}, "\"Empty\"=hex:\r\n"},
      {"a type of its own", {"Odd", 0x20, std::string("\x01", 1)}, "\"Odd\"=hex(20):01\r\n"},
      {"no type", {"None", 0, std::string("\x7f", 1)}, "\"None\"=hex(0):7f\r\n"},
      {"string with a line break",
       {"Lines", 1, Le(u"a\r\nb\0"sv)},
       "\"Lines\"=hex(1):61,00,0d,00,0a,00,62,00,00,00\r\n"},
      {"string without its zero", {"Bare", 1, Le(u"ab"sv)}, "\"Bare\"=hex(1):61,00,62,00\r\n"},
      {"string of an odd length", {"Odd", 1, std::string("a\0\0", 3)}, "\"Odd\"=hex(1):61,00,00\r\n"},
      {"string with half a surrogate pair", {"Half", 1, Le(u"\xD83D\0"sv)}, "\"Half\"=hex(1):3d,d8,00,00\r\n"},
      {"binary of 30 bytes, on two lines, the first 76 characters long",
       {"Bin", 3, std::string(30, '\xab')},
       "\"Bin\"=hex:" + Repeat("ab,", 22) + "\\\r\n  " + Repeat("ab,", 7) + "ab\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RegFileValueLines(c.value), c.lines) << c.title;
  }
}

// A kilobyte of data: every line fits the width an editor shows, each continued line
// ends in a backslash, and the bytes read back are the value's.
TEST(RegFileTextTest, LongHexValueIsWrappedAndKeepsEveryByte) {
  std::string bytes;
  for (int i = 0; i < 1024; ++i) bytes += static_cast<char>(i * 7);
  const std::string text = RegFileValueLines({"Blob", 3, bytes});
  ASSERT_EQ(text.rfind("\"Blob\"=hex:", 0), 0u);
  std::istringstream lines(text);
  std::string line;
  std::string hex;
  int count = 0;
  while (std::getline(lines, line)) {
    ++count;
    ASSERT_FALSE(line.empty());
    ASSERT_EQ(line.back(), '\r');
    line.pop_back();
    EXPECT_LE(line.size(), 80u) << line;
    if (count > 1) {
      ASSERT_EQ(line.rfind("  ", 0), 0u);
      line.erase(0, 2);
    }
    if (!line.empty() && line.back() == '\\') line.pop_back();
    hex += line;
  }
  EXPECT_GT(count, 40);
  hex.erase(0, std::string("\"Blob\"=hex:").size());
  std::string decoded;
  for (std::size_t i = 0; i < hex.size(); i += 3) {
    decoded += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    if (i + 2 < hex.size()) {
      EXPECT_EQ(hex[i + 2], ',');
    }
  }
  EXPECT_EQ(decoded, bytes);
}

// The file holds the text as UTF-16LE behind a byte-order mark.
TEST(RegFileTextTest, KeyLineAndTheFilesBytes) {
  EXPECT_EQ(RegFileKeyLine("HKEY_CURRENT_USER\\SOFTWARE\\Я"), "[HKEY_CURRENT_USER\\SOFTWARE\\Я]\r\n");
  EXPECT_EQ(RegFileBytes("[Я😀]\r\n"), Le(u"[Я😀]\r\n"));
  EXPECT_EQ(RegFileBytes("\xC0\xAF"), std::nullopt) << "no UTF-8";
  EXPECT_EQ(RegFileStart(), "\xFF\xFE" + Le(u"Windows Registry Editor Version 5.00\r\n\r\n"));
}

}  // namespace
}  // namespace zobl::testing
