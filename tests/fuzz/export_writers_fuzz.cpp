// Writes rows of any texts, each field there or not, through the JSON and CSV writers,
// reads both back (the JSON library's parser; a CSV reader of RFC 4180's rules of its own)
// and checks that every text comes back: exactly from the JSON, as the list shows it from
// the CSV, behind an apostrophe where a spreadsheet would take it for a formula.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "commandline/inventory_json.h"
#include "fuzz_checks.h"
#include "input_fields.h"
#include "inventory/column_text.h"
#include "inventory/inventory_csv.h"
#include "inventory/uninstall_key.h"
#include "platform/portable_locale.h"
#include "platform/utf16_text.h"

namespace {

using Json = nlohmann::json;
using zobl::UninstallEntry;
using zobl::fuzzing::Check;
using zobl::fuzzing::InputFields;

// An odd choice byte gives a field, of the length the rest of it tells.
std::optional<std::string> TakeText(InputFields& fields) {
  const std::uint8_t choice = fields.Byte();
  if (choice % 2 == 0) return std::nullopt;
  return fields.Text(choice / 2);
}

std::optional<std::uint64_t> TakeNumber(InputFields& fields) {
  const std::uint8_t choice = fields.Byte();
  if (choice % 2 == 0) return std::nullopt;
  std::uint64_t number = 0;
  for (int i = 0; i < choice / 2 % 9; ++i) number = number << 8 | fields.Byte();
  return number;
}

std::optional<bool> TakeFlag(InputFields& fields) {
  const int choice = fields.Byte() % 3;
  if (choice == 0) return std::nullopt;
  return choice == 2;
}

zobl::RegistrySource TakeSource(InputFields& fields) { return zobl::kRegistrySources[fields.Byte() % 3]; }

UninstallEntry TakeRow(InputFields& fields) {
  UninstallEntry row;
  row.source = TakeSource(fields);
  row.name = TakeText(fields);
  row.keyName = TakeText(fields).value_or("");
  row.installDate = TakeText(fields);
  row.size = static_cast<zobl::SizeState>(fields.Byte() % 3);
  row.sizeBytes = TakeNumber(fields).value_or(0);
  row.command = TakeText(fields);
  row.directory = TakeText(fields);
  row.publisher = TakeText(fields);
  row.displayVersion = TakeText(fields);
  if (fields.Byte() % 2 == 0) return row;  // read by the window, which has no details
  zobl::DescriptorDetails details;
  details.installLocation = TakeText(fields);
  details.installSource = TakeText(fields);
  details.language = TakeNumber(fields);
  details.estimatedSizeBytes = TakeNumber(fields);
  details.registryInstallDate = TakeText(fields);
  details.productCode = TakeText(fields);
  details.windowsInstaller = TakeFlag(fields);
  details.systemComponent = TakeFlag(fields);
  details.quietUninstallCommand = TakeText(fields);
  details.parentKeyName = TakeText(fields);
  details.releaseType = TakeText(fields);
  row.details = std::make_shared<const zobl::DescriptorDetails>(std::move(details));
  return row;
}

// A field and whether it was quoted: the writer quotes every text and nothing else.
struct CsvField {
  std::string text;
  bool quoted = false;
};
using CsvRecord = std::vector<CsvField>;

// Records end with CRLF, fields are separated by commas; a quoted field holds anything,
// its quotes doubled. Nothing when the text breaks those rules.
std::optional<std::vector<CsvRecord>> ReadCsv(std::string_view text) {
  std::vector<CsvRecord> records(1);
  for (std::size_t at = 0; at < text.size();) {
    CsvField& field = records.back().emplace_back();
    if (text[at] == '"') {
      field.quoted = true;
      for (++at; at < text.size() && (text[at] != '"' || text.substr(at, 2) == "\"\""); ++at) {
        if (text[at] == '"') ++at;
        field.text += text[at];
      }
      if (at++ == text.size()) return std::nullopt;  // never closed
    } else {
      const std::size_t end = std::min(text.find_first_of(",\"\r\n", at), text.size());
      field.text = text.substr(at, end - at);
      at = end;
    }
    if (text.substr(at, 1) == ",") {
      ++at;
    } else if (text.substr(at, 2) == "\r\n") {
      at += 2;
      records.emplace_back();
    } else {
      return std::nullopt;
    }
  }
  if (!records.back().empty()) return std::nullopt;  // the last record has no line end
  records.pop_back();
  return records;
}

void CheckCell(const CsvField& field, const std::string& text) {
  const std::u16string units = zobl::Utf16FromUtf8Lossy(text);
  const std::size_t first = units.find_first_not_of(u" \t\r\n\u3000\uFEFF");
  const bool formula =
      (first != std::u16string::npos &&
       std::u16string_view(u"=+-@\uFF1D\uFF0B\uFF0D\uFF20").find(units[first]) != std::u16string_view::npos) ||
      text.starts_with('\t') || text.starts_with('\r');
  Check(field.quoted && field.text == (formula ? "'" + text : text));
}

void CheckCell(const CsvField& field, const std::optional<std::string>& text) {
  if (text) return CheckCell(field, *text);
  Check(!field.quoted && field.text.empty());
}

template <typename T>
Json OrNull(const std::optional<T>& value) {
  return value ? Json(*value) : Json(nullptr);
}

// Integers a double holds exactly, up to 2^53 - 1; null above.
Json OrNullIfInexact(const std::optional<std::uint64_t>& value) {
  return value && *value < 9007199254740992u ? Json(*value) : Json(nullptr);
}

// Numbers and flags stand bare, 1 or 0 for a flag; nothing where there is none.
template <typename T>
void CheckBareCell(const CsvField& field, const std::optional<T>& value) {
  Check(!field.quoted && field.text == (value ? std::to_string(*value) : ""));
}

void CheckRow(const UninstallEntry& row, const Json& json, const CsvRecord& csv) {
  static const zobl::DescriptorDetails kNoDetails;
  const zobl::DescriptorDetails& details = row.details ? *row.details : kNoDetails;
  const std::string location = zobl::DescriptorLocation(row.source, row.keyName);
  const std::string keyName = zobl::ShownKeyName(row.keyName);
  std::optional<std::string> date = row.installDate;  // the list's yyyy.mm.dd as ISO's yyyy-mm-dd
  if (date) std::ranges::replace(*date, '.', '-');
  const bool measured = row.size == zobl::SizeState::Measured;
  const std::optional<std::uint64_t> size = measured ? std::optional(row.sizeBytes) : std::nullopt;
  const std::optional<std::string> sizeText =
      row.size == zobl::SizeState::NotYetComputed ? std::nullopt : std::optional(zobl::ColumnText(row, zobl::kSizeColumn));
  const std::pair<const char*, Json> expected[] = {
      {"name", OrNull(row.name)}, {"keyName", keyName}, {"registryPath", location},
      {"source", zobl::SourceName(row.source)}, {"installDate", OrNull(date)}, {"sizeBytes", OrNullIfInexact(size)},
      {"sizeText", OrNull(sizeText)}, {"command", OrNull(row.command)}, {"directory", OrNull(row.directory)},
      {"publisher", OrNull(row.publisher)}, {"version", OrNull(row.displayVersion)},
      {"installLocation", OrNull(details.installLocation)}, {"installSource", OrNull(details.installSource)},
      {"language", OrNullIfInexact(details.language)},
      {"estimatedSizeBytes", OrNullIfInexact(details.estimatedSizeBytes)},
      {"registryInstallDate", OrNull(details.registryInstallDate)}, {"productCode", OrNull(details.productCode)},
      {"windowsInstaller", OrNull(details.windowsInstaller)}, {"systemComponent", OrNull(details.systemComponent)},
      {"quietUninstallCommand", OrNull(details.quietUninstallCommand)},
      {"parentKeyName", OrNull(details.parentKeyName)}, {"releaseType", OrNull(details.releaseType)}};
  Check(json.size() == std::size(expected));
  for (const auto& [name, value] : expected) Check(json.at(name) == value);

  Check(csv.size() == 21);
  const std::string shown[] = {zobl::ColumnText(row, zobl::kNameColumn), keyName, location,
                               zobl::ColumnText(row, zobl::kInstallDateColumn)};
  for (std::size_t i = 0; i < std::size(shown); ++i) CheckCell(csv[i], shown[i]);
  CheckBareCell(csv[4], size);
  for (const auto& [i, column] : {std::pair{5, zobl::kSizeColumn}, std::pair{6, zobl::kCommandColumn},
                                 std::pair{7, zobl::kSupposedDirectoryColumn}}) {
    CheckCell(csv[i], zobl::ColumnText(row, column));
  }
  const std::pair<int, const std::optional<std::string>*> texts[] = {
      {8, &row.publisher},           {9, &row.displayVersion},          {10, &details.installLocation},
      {11, &details.installSource},  {14, &details.registryInstallDate}, {15, &details.productCode},
      {18, &details.quietUninstallCommand}, {19, &details.parentKeyName}, {20, &details.releaseType}};
  for (const auto& [i, text] : texts) CheckCell(csv[i], *text);
  CheckBareCell(csv[12], details.language);
  CheckBareCell(csv[13], details.estimatedSizeBytes);
  CheckBareCell(csv[16], details.windowsInstaller);
  CheckBareCell(csv[17], details.systemComponent);
}

}  // namespace

// Input: the computer's name and the time, a count byte and that many unreadable
// descriptors (source, key name, reason), then rows until the input ends (source, name,
// key name, date, size, command, directory, publisher, version, and a byte that gives
// the descriptor's details: location, source, language, estimated size, stored date,
// product code, two flags, quiet command, parent key name, release type). A text, number
// or flag is there when its choice byte is odd.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InputFields fields(std::string_view(reinterpret_cast<const char*>(data), size));
  const zobl::InventoryOrigin origin{TakeText(fields).value_or(""), TakeText(fields).value_or("")};
  std::vector<zobl::UnreadableDescriptor> unreadable(fields.Byte() % 3);
  for (zobl::UnreadableDescriptor& descriptor : unreadable) {
    descriptor = {TakeSource(fields), TakeText(fields).value_or(""), TakeText(fields).value_or("")};
  }
  const zobl::PortableLocale locale;
  zobl::InventoryList list(locale);
  while (!fields.Empty() && list.Count() < 8) list.Add(TakeRow(fields));

  const Json json = Json::parse(zobl::InventoryJson(list, origin, unreadable), nullptr, false);
  Check(!json.is_discarded() && json.at("computer") == origin.computer && json.at("exported") == origin.exported);
  const Json& programs = json.at("programs");
  const Json& unread = json.at("unreadable");
  const std::optional<std::vector<CsvRecord>> csv = ReadCsv(zobl::InventoryCsv(list));
  Check(csv.has_value() && csv->size() == list.Count() + 1 && csv->front().size() == 21);
  Check(programs.size() == list.Count());
  for (std::size_t i = 0; i < list.Count(); ++i) CheckRow(list.RowAt(i), programs.at(i), csv->at(i + 1));
  Check(unread.size() == unreadable.size());
  for (std::size_t i = 0; i < unreadable.size(); ++i) {
    const zobl::UnreadableDescriptor& descriptor = unreadable[i];
    Check(unread[i].at("registryPath") == zobl::DescriptorLocation(descriptor.source, descriptor.keyName));
    Check(unread[i].at("source") == zobl::SourceName(descriptor.source) && unread[i].at("error") == descriptor.reason);
  }
  return 0;
}
