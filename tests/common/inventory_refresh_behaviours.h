#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "inventory/inventory_list.h"
#include "inventory/inventory_refresh.h"
#include "inventory/column_text.h"
#include "shown_texts.h"
#include "mainwindow/list_sorting.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/registry.h"

namespace zobl::testing {

// The registry and disk that refresh behaviours run against: a fake on the host, the
// system's under Wine. Key names are full subkey names below the Uninstall key.
class DescriptorWorld {
 public:
  virtual ~DescriptorWorld() = default;

  virtual Registry& System() = 0;
  virtual FileSystem& Files() = 0;
  virtual const Locale& TextOrder() = 0;

  virtual void CreateDescriptor(const std::string& keyName) = 0;
  virtual void SetValue(const std::string& keyName, const char* valueName, const std::string& bytes) = 0;
  virtual void DeleteDescriptor(const std::string& keyName) = 0;
  // An existing directory `leaf` holding the file `file`; returns the directory's path.
  virtual std::string CreateProgram(const std::string& leaf, const std::string& file) = 0;
  // A path below a directory that does not exist.
  virtual std::string MissingPath() = 0;
};

// A refresher over a world, and the rows of this test: the keys it made carry its tag,
// which keeps them apart from other descriptors in a real registry. Its keys begin
// with "~", which sorts them after every ordinary descriptor.
class RefreshHarness {
 public:
  RefreshHarness(DescriptorWorld& descriptors, std::string tag) : world(descriptors), tag_(std::move(tag)) {}

  std::string Key(const std::string& suffix) const { return "~" + tag_ + suffix; }
  // Sorts after the test's other keys (and after every other test's).
  std::string LateKey(const std::string& suffix) const { return "~~" + tag_ + suffix; }

  void Add(const std::string& keyName, const char* displayName, const char* command = nullptr) {
    world.CreateDescriptor(keyName);
    if (displayName != nullptr) SetText(keyName, "DisplayName", displayName);
    if (command != nullptr) SetText(keyName, "UninstallString", command);
  }
  void SetText(const std::string& keyName, const char* valueName, const std::string& text) {
    world.SetValue(keyName, valueName, text + '\0');
  }
  void Refresh() { refresher.RefreshInventory(); }

  // The test's rows, in list order.
  std::vector<const UninstallEntry*> Rows() const {
    std::vector<const UninstallEntry*> rows;
    for (std::size_t i = 0; i < list.Count(); ++i) {
      if (list.RowAt(i).KeyName.find(tag_) != std::string::npos) rows.push_back(&list.RowAt(i));
    }
    return rows;
  }
  std::vector<std::string> KeyNames() const {
    std::vector<std::string> names;
    for (const UninstallEntry* row : Rows()) names.push_back(row->KeyName);
    return names;
  }
  const UninstallEntry* Row(const std::string& keyName) const {
    for (const UninstallEntry* row : Rows()) {
      if (row->KeyName == keyName) return row;
    }
    return nullptr;
  }
  bool InNameOrder() const {
    for (std::size_t i = 1; i < list.Count(); ++i) {
      if (world.TextOrder().CompareText(SortText(list.RowAt(i - 1), kNameColumn).c_str(),
                                        SortText(list.RowAt(i), kNameColumn).c_str()) > 0) {
        return false;
      }
    }
    return true;
  }

  DescriptorWorld& world;
  bool namelessShown = false;
  InventoryList list{world.TextOrder()};
  InventoryRefresher refresher{world.System(), world.Files(), world.TextOrder(), list,
                               [this] { return namelessShown; }};
  ListSorting sorting{list, world.TextOrder()};

 private:
  std::string tag_;
};

struct RefreshBehaviour {
  const char* name;  // a test name
  void (*run)(RefreshHarness&);
};

inline void PrintTo(const RefreshBehaviour& behaviour, std::ostream* out) { *out << behaviour.name; }

namespace behaviours {

inline void NamelessRowsFollowTheCheckBox(RefreshHarness& h) {
  const std::string named = h.Key("Named");
  const std::string nameless = h.Key("Nameless");
  h.Add(named, "Acme", "RunDll32 acme.dll,Remove");
  h.Add(nameless, nullptr, "RunDll32 part.dll,Remove");
  h.Refresh();
  EXPECT_EQ(h.KeyNames(), std::vector<std::string>{named});
  const RowId namedId = h.Row(named)->Id;

  h.namelessShown = true;
  h.Refresh();
  ASSERT_NE(h.Row(nameless), nullptr);
  EXPECT_EQ(ColumnText(*h.Row(nameless), kNameColumn), kNoNameText);
  EXPECT_EQ(ColumnText(*h.Row(nameless), kCommandColumn), "RunDll32 part.dll,Remove");
  EXPECT_EQ(h.Row(named)->Id, namedId);

  h.namelessShown = false;
  h.Refresh();
  EXPECT_EQ(h.KeyNames(), std::vector<std::string>{named});
  EXPECT_EQ(h.Row(named)->Id, namedId);
}

inline void EmptyDisplayNameIsNotNameless(RefreshHarness& h) {
  const std::string key = h.Key("Empty");
  h.Add(key, "");
  h.Refresh();
  ASSERT_NE(h.Row(key), nullptr);
  EXPECT_EQ(h.Row(key)->Name, "");
  h.namelessShown = true;
  h.Refresh();
  h.namelessShown = false;
  h.Refresh();
  ASSERT_NE(h.Row(key), nullptr);
  EXPECT_EQ(h.Row(key)->Name, "");
}

inline void ValuesReadUpToTheBuffersSize(RefreshHarness& h) {
  const std::string fits = h.Key("Fits");
  const std::string tooLong = h.Key("TooLong");
  const std::string longCommand = h.Key("LongCommand");
  const std::string name1023(1023, 'n');
  h.Add(fits, name1023.c_str(), std::string(1023, 'c').c_str());
  h.Add(tooLong, std::string(1024, 'n').c_str(), "RunDll32 x");
  h.Add(longCommand, "Long command", std::string(1024, 'c').c_str());
  h.Refresh();
  ASSERT_NE(h.Row(fits), nullptr);
  EXPECT_EQ(h.Row(fits)->Name, name1023);
  EXPECT_EQ(ColumnText(*h.Row(fits), kCommandColumn), std::string(1023, 'c'));
  EXPECT_EQ(h.Row(tooLong), nullptr) << "a name that does not fit makes the row nameless";
  ASSERT_NE(h.Row(longCommand), nullptr);
  EXPECT_EQ(ColumnText(*h.Row(longCommand), kCommandColumn), kNoCommandText);
  EXPECT_EQ(h.Row(longCommand)->StatusImage, kStatusWarning);

  h.namelessShown = true;
  h.Refresh();
  ASSERT_NE(h.Row(tooLong), nullptr);
  EXPECT_EQ(ColumnText(*h.Row(tooLong), kNameColumn), kNoNameText);
}

// A name longer than the registry lets the program read is passed over; the
// descriptors behind it in the enumeration are listed all the same.
inline void TooLongSubkeyNameIsSkipped(RefreshHarness& h) {
  const std::string before = h.LateKey("a");
  const std::string longName = h.LateKey("k") + std::string(210 - h.LateKey("k").size(), 'k');
  const std::string after = h.LateKey("z");
  ASSERT_EQ(longName.size(), 210u);
  h.Add(before, "Before");
  h.Add(longName, "Long");
  h.Add(after, "After");
  h.Refresh();
  EXPECT_EQ(h.KeyNames(), (std::vector<std::string>{after, before}));
  h.Refresh();
  EXPECT_EQ(h.KeyNames(), (std::vector<std::string>{after, before}));
}

inline void LongestSubkeyNameIsListed(RefreshHarness& h) {
  const std::string longest = h.Key("k") + std::string(203 - h.Key("k").size(), 'k');
  h.Add(longest, "Longest");
  h.Refresh();
  ASSERT_NE(h.Row(longest), nullptr);
  const RowId id = h.Row(longest)->Id;
  h.Refresh();
  ASSERT_NE(h.Row(longest), nullptr);
  EXPECT_EQ(h.Row(longest)->Id, id);
}

inline void DeletedDescriptorTakesItsRowAndSize(RefreshHarness& h) {
  const std::string key = h.Key("Measured");
  h.Add(key, "Measured", "RunDll32 x");
  h.Refresh();
  ASSERT_NE(h.Row(key), nullptr);
  const RowId id = h.Row(key)->Id;
  h.list.SetMeasuredSize(id, 5000);

  h.world.DeleteDescriptor(key);
  h.Refresh();
  EXPECT_EQ(h.Row(key), nullptr);
  EXPECT_EQ(h.list.Find(id), nullptr);

  h.Add(key, "Measured", "RunDll32 x");
  h.Refresh();
  ASSERT_NE(h.Row(key), nullptr);
  EXPECT_NE(h.Row(key)->Id, id);
  EXPECT_EQ(h.Row(key)->SizeBytes, 0u);
  EXPECT_EQ(ColumnText(*h.Row(key), kSizeColumn), kNotYetComputedText);
}

inline void ChangedValuesKeepTheOldRow(RefreshHarness& h) {
  const std::string key = h.Key("Changing");
  h.Add(key, "Old name", "RunDll32 old");
  h.Refresh();
  ASSERT_NE(h.Row(key), nullptr);
  const RowId id = h.Row(key)->Id;
  h.list.SetSizeBytes(id, 77);
  h.SetText(key, "DisplayName", "New name");
  h.SetText(key, "UninstallString", "RunDll32 new");
  h.Refresh();
  ASSERT_EQ(h.Rows().size(), 1u);
  EXPECT_EQ(h.Row(key)->Id, id);
  EXPECT_EQ(h.Row(key)->Name, "Old name");
  EXPECT_EQ(ColumnText(*h.Row(key), kCommandColumn), "RunDll32 old");
  EXPECT_EQ(h.Row(key)->SizeBytes, 77u);
}

// The subkeys of newly installed MSI products all have 38 characters and begin with
// "{"; each is a program of its own.
inline void SubkeyLikeAListedOneIsAdded(RefreshHarness& h) {
  const std::string first = h.Key("{6F3A0D52-8C1E-4B7A-9E21-5D0C7B3A1F00}");
  const std::string second = h.Key("{0B9E4C71-2A5D-4F80-B3C6-E17F2D9A4B11}");
  ASSERT_EQ(first.size(), second.size());
  h.Add(first, "First product", "MsiExec.exe /X{6F3A0D52-8C1E-4B7A-9E21-5D0C7B3A1F00}");
  h.Refresh();
  h.Add(second, "Second product", "MsiExec.exe /X{0B9E4C71-2A5D-4F80-B3C6-E17F2D9A4B11}");
  h.Refresh();
  EXPECT_NE(h.Row(first), nullptr);
  EXPECT_NE(h.Row(second), nullptr);
  h.Refresh();
  EXPECT_EQ(h.Rows().size(), 2u) << "a listed subkey never gets a second row";
}

inline void KeyReCreatedInAnotherCaseKeepsOneRow(RefreshHarness& h) {
  const std::string key = h.Key("Acme");
  const std::string upper = h.Key("ACME");
  h.Add(key, "Acme");
  h.Refresh();
  const RowId id = h.Row(key)->Id;
  h.world.DeleteDescriptor(key);
  h.Add(upper, "Acme");
  h.Refresh();
  ASSERT_EQ(h.Rows().size(), 1u);
  EXPECT_EQ(h.Rows()[0]->Id, id);
}

inline void RowsByCase(RefreshHarness& h) {
  const std::string directory = h.world.CreateProgram("Acme Tools", "unins000.exe");
  const std::string uninstaller = "\"" + directory + "\\unins000.exe\"";
  const std::string dead = h.world.MissingPath();
  const std::string date = "date";  // a date text of the directory
  struct Case {
    std::string suffix;
    std::optional<std::string> command;  // none: no UninstallString value
    std::string installDate;
    std::string supposedDirectory;
    int statusImage;
  };
  const Case cases[] = {
      {"NoCommand", std::nullopt, kUnknownDateText, kMissingDirectoryText, kStatusWarning},
      {"SystemTool", "MsiExec.exe /X{6F3A0D52-8C1E-4B7A-9E21-5D0C7B3A1F00}", kUnknownDateText, kMissingDirectoryText,
       kStatusOk},
      {"DeadPath", dead, kUnknownDateText, kMissingDirectoryText, kStatusWarning},
      {"Found", uninstaller + " /SILENT", date, directory, kStatusOk},
      {"FoundAndDead", uninstaller + " " + dead, date, directory, kStatusWarning},
  };
  for (const Case& c : cases) {
    h.Add(h.Key(c.suffix), ("Program " + c.suffix).c_str(), c.command ? c.command->c_str() : nullptr);
  }
  h.Refresh();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.suffix);
    const UninstallEntry* row = h.Row(h.Key(c.suffix));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->Name, "Program " + c.suffix);
    EXPECT_EQ(ColumnText(*row, kCommandColumn), c.command.value_or(kNoCommandText));
    EXPECT_EQ(ColumnText(*row, kSizeColumn), kNotYetComputedText);
    EXPECT_EQ(row->SizeBytes, 0u);
    EXPECT_EQ(ColumnText(*row, kSupposedDirectoryColumn), c.supposedDirectory);
    EXPECT_EQ(row->StatusImage, c.statusImage);
    if (c.installDate == date) {
      EXPECT_TRUE(std::regex_match(ColumnText(*row, kInstallDateColumn), std::regex("[0-9]{4}\\.[0-9]{2}\\.[0-9]{2}")))
          << ColumnText(*row, kInstallDateColumn);
    } else {
      EXPECT_EQ(ColumnText(*row, kInstallDateColumn), c.installDate);
    }
  }
}

inline void SelectionStaysWithItsRow(RefreshHarness& h) {
  h.Add(h.Key("B"), "Bravo");
  h.Add(h.Key("D"), "Delta");
  h.Refresh();
  const RowId delta = h.Row(h.Key("D"))->Id;
  h.list.Select(delta);
  h.Add(h.Key("A"), "Alpha");
  h.Add(h.Key("C"), "Charlie");
  h.sorting.CliqueColonne(kKeyNameColumn);
  h.Refresh();
  ASSERT_TRUE(h.list.SelectedIndex().has_value());
  EXPECT_EQ(h.list.RowAt(*h.list.SelectedIndex()).Id, delta);

  h.world.DeleteDescriptor(h.Key("D"));
  h.Refresh();
  EXPECT_FALSE(h.list.SelectedIndex().has_value());
}

inline void AddedRowRestoresNameOrder(RefreshHarness& h) {
  // Key names in the reverse order of the names.
  h.Add(h.Key("3"), "Alpha");
  h.Add(h.Key("2"), "Bravo");
  h.Add(h.Key("1"), "Charlie");
  h.Refresh();
  EXPECT_EQ(h.sorting.CliqueColonne(kKeyNameColumn), kKeyNameColumn);
  const std::vector<std::string> byKeyName = {h.Key("1"), h.Key("2"), h.Key("3")};
  EXPECT_EQ(h.KeyNames(), byKeyName);
  h.Refresh();
  EXPECT_EQ(h.KeyNames(), byKeyName) << "a refresh that adds nothing keeps the order";

  h.Add(h.Key("0"), "Delta");
  h.Refresh();
  EXPECT_EQ(h.KeyNames(), (std::vector<std::string>{h.Key("3"), h.Key("2"), h.Key("1"), h.Key("0")}));
  EXPECT_TRUE(h.InNameOrder());
  EXPECT_EQ(h.sorting.SortColumn(), kKeyNameColumn);
}

}  // namespace behaviours

inline const std::vector<RefreshBehaviour>& RefreshBehaviours() {
  using namespace behaviours;
  static const std::vector<RefreshBehaviour> all = {
      {"NamelessRowsFollowTheCheckBox", NamelessRowsFollowTheCheckBox},
      {"EmptyDisplayNameIsNotNameless", EmptyDisplayNameIsNotNameless},
      {"ValuesReadUpToTheBuffersSize", ValuesReadUpToTheBuffersSize},
      {"TooLongSubkeyNameIsSkipped", TooLongSubkeyNameIsSkipped},
      {"LongestSubkeyNameIsListed", LongestSubkeyNameIsListed},
      {"DeletedDescriptorTakesItsRowAndSize", DeletedDescriptorTakesItsRowAndSize},
      {"ChangedValuesKeepTheOldRow", ChangedValuesKeepTheOldRow},
      {"SubkeyLikeAListedOneIsAdded", SubkeyLikeAListedOneIsAdded},
      {"KeyReCreatedInAnotherCaseKeepsOneRow", KeyReCreatedInAnotherCaseKeepsOneRow},
      {"RowsByCase", RowsByCase},
      {"SelectionStaysWithItsRow", SelectionStaysWithItsRow},
      {"AddedRowRestoresNameOrder", AddedRowRestoresNameOrder},
  };
  return all;
}

}  // namespace zobl::testing
