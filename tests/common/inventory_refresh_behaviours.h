#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "inventory_world.h"

namespace zobl::testing {
namespace behaviours {

inline void NamelessRowsFollowTheCheckBox(InventoryHarness& h) {
  const std::string named = h.Key("Named");
  const std::string nameless = h.Key("Nameless");
  h.Add(named, "Acme", "RunDll32 acme.dll,Remove");
  h.Add(nameless, nullptr, "RunDll32 part.dll,Remove");
  h.Refresh();
  EXPECT_EQ(h.KeyNames(), std::vector<std::string>{named});
  const RowId namedId = h.Row(named)->id;

  h.ShowNameless(true);
  h.Refresh();
  ASSERT_NE(h.Row(nameless), nullptr);
  EXPECT_EQ(h.Row(nameless)->name, std::nullopt);
  EXPECT_EQ(h.Row(nameless)->command, "RunDll32 part.dll,Remove");
  EXPECT_EQ(h.Row(named)->id, namedId);

  h.ShowNameless(false);
  h.Refresh();
  EXPECT_EQ(h.KeyNames(), std::vector<std::string>{named});
  EXPECT_EQ(h.Row(named)->id, namedId);
}

inline void EmptyDisplayNameIsNotNameless(InventoryHarness& h) {
  const std::string key = h.Key("Empty");
  h.Add(key, "");
  h.Refresh();
  ASSERT_NE(h.Row(key), nullptr);
  EXPECT_EQ(h.Row(key)->name, "");
  h.ShowNameless(true);
  h.Refresh();
  h.ShowNameless(false);
  h.Refresh();
  ASSERT_NE(h.Row(key), nullptr);
  EXPECT_EQ(h.Row(key)->name, "");
}

inline void ValuesReadUpToTheBuffersSize(InventoryHarness& h) {
  const std::string fits = h.Key("Fits");
  const std::string tooLong = h.Key("TooLong");
  const std::string longCommand = h.Key("LongCommand");
  const std::string name1023(1023, 'n');
  h.Add(fits, name1023.c_str(), std::string(1023, 'c').c_str());
  h.Add(tooLong, std::string(1024, 'n').c_str(), "RunDll32 x");
  h.Add(longCommand, "Long command", std::string(1024, 'c').c_str());
  h.Refresh();
  ASSERT_NE(h.Row(fits), nullptr);
  EXPECT_EQ(h.Row(fits)->name, name1023);
  EXPECT_EQ(h.Row(fits)->command, std::string(1023, 'c'));
  EXPECT_EQ(h.Row(tooLong), nullptr) << "a name that does not fit makes the row nameless";
  ASSERT_NE(h.Row(longCommand), nullptr);
  EXPECT_EQ(h.Row(longCommand)->command, std::nullopt);
  EXPECT_EQ(h.Row(longCommand)->statusImage, kStatusWarning);

  h.ShowNameless(true);
  h.Refresh();
  ASSERT_NE(h.Row(tooLong), nullptr);
  EXPECT_EQ(h.Row(tooLong)->name, std::nullopt);
}

// A name longer than the registry lets the program read is passed over; the
// descriptors behind it in the enumeration are listed all the same.
inline void TooLongSubkeyNameIsSkipped(InventoryHarness& h) {
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

inline void LongestSubkeyNameIsListed(InventoryHarness& h) {
  const std::string longest = h.Key("k") + std::string(203 - h.Key("k").size(), 'k');
  h.Add(longest, "Longest");
  h.Refresh();
  ASSERT_NE(h.Row(longest), nullptr);
  const RowId id = h.Row(longest)->id;
  h.Refresh();
  ASSERT_NE(h.Row(longest), nullptr);
  EXPECT_EQ(h.Row(longest)->id, id);
}

inline void DeletedDescriptorTakesItsRowAndSize(InventoryHarness& h) {
  const std::string key = h.Key("Measured");
  h.Add(key, "Measured", "RunDll32 x");
  h.Refresh();
  ASSERT_NE(h.Row(key), nullptr);
  const RowId id = h.Row(key)->id;
  h.list.SetMeasuredSize(id, 5000);

  h.world.DeleteDescriptor(key);
  h.Refresh();
  EXPECT_EQ(h.Row(key), nullptr);
  EXPECT_EQ(h.list.Find(id), nullptr);

  h.Add(key, "Measured", "RunDll32 x");
  h.Refresh();
  ASSERT_NE(h.Row(key), nullptr);
  EXPECT_NE(h.Row(key)->id, id);
  EXPECT_EQ(h.Row(key)->sizeBytes, 0u);
  EXPECT_EQ(h.Row(key)->size, SizeState::NotYetComputed);
}

inline void ChangedValuesKeepTheOldRow(InventoryHarness& h) {
  const std::string key = h.Key("Changing");
  h.Add(key, "Old name", "RunDll32 old");
  h.Refresh();
  ASSERT_NE(h.Row(key), nullptr);
  const RowId id = h.Row(key)->id;
  h.list.SetSizeBytes(id, 77);
  h.SetText(key, "DisplayName", "New name");
  h.SetText(key, "UninstallString", "RunDll32 new");
  h.Refresh();
  ASSERT_EQ(h.Rows().size(), 1u);
  EXPECT_EQ(h.Row(key)->id, id);
  EXPECT_EQ(h.Row(key)->name, "Old name");
  EXPECT_EQ(h.Row(key)->command, "RunDll32 old");
  EXPECT_EQ(h.Row(key)->sizeBytes, 77u);
}

// The subkeys of newly installed MSI products all have 38 characters and begin with
// "{"; each is a program of its own.
inline void SubkeyLikeAListedOneIsAdded(InventoryHarness& h) {
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

inline void KeyReCreatedInAnotherCaseKeepsOneRow(InventoryHarness& h) {
  const std::string key = h.Key("Acme");
  const std::string upper = h.Key("ACME");
  h.Add(key, "Acme");
  h.Refresh();
  const RowId id = h.Row(key)->id;
  h.world.DeleteDescriptor(key);
  h.Add(upper, "Acme");
  h.Refresh();
  ASSERT_EQ(h.Rows().size(), 1u);
  EXPECT_EQ(h.Rows()[0]->id, id);
}

inline void RowsByCase(InventoryHarness& h) {
  const std::string directory = h.AddProgram("Acme Tools", "unins000.exe");
  const std::string uninstaller = "\"" + directory + "\\unins000.exe\"";
  const std::string dead = h.MissingPath();
  struct Case {
    std::string suffix;
    std::optional<std::string> command;  // none: no UninstallString value
    std::optional<std::string> directory;  // none: no ordinary existing one, and no date
    int statusImage;
  };
  const Case cases[] = {
      {"NoCommand", std::nullopt, std::nullopt, kStatusWarning},
      {"SystemTool", "MsiExec.exe /X{6F3A0D52-8C1E-4B7A-9E21-5D0C7B3A1F00}", std::nullopt, kStatusOk},
      {"DeadPath", dead, std::nullopt, kStatusWarning},
      {"Found", uninstaller + " /SILENT", directory, kStatusOk},
      {"FoundAndDead", uninstaller + " " + dead, directory, kStatusWarning},
  };
  for (const Case& c : cases) {
    h.Add(h.Key(c.suffix), ("Program " + c.suffix).c_str(), c.command ? c.command->c_str() : nullptr);
  }
  h.Refresh();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.suffix);
    const UninstallEntry* row = h.Row(h.Key(c.suffix));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->name, "Program " + c.suffix);
    EXPECT_EQ(row->command, c.command);
    EXPECT_EQ(row->size, SizeState::NotYetComputed);
    EXPECT_EQ(row->sizeBytes, 0u);
    EXPECT_EQ(row->directory, c.directory);
    EXPECT_EQ(row->statusImage, c.statusImage);
    if (c.directory) {
      ASSERT_TRUE(row->installDate.has_value());
      EXPECT_TRUE(std::regex_match(*row->installDate, std::regex("[0-9]{4}\\.[0-9]{2}\\.[0-9]{2}"))) << *row->installDate;
    } else {
      EXPECT_EQ(row->installDate, std::nullopt);
    }
  }
}

inline void SelectionStaysWithItsRow(InventoryHarness& h) {
  h.Add(h.Key("B"), "Bravo");
  h.Add(h.Key("D"), "Delta");
  h.Refresh();
  const RowId delta = h.Row(h.Key("D"))->id;
  h.list.Select(delta);
  h.Add(h.Key("A"), "Alpha");
  h.Add(h.Key("C"), "Charlie");
  h.sorting.SortByColumnClicked(kKeyNameColumn);
  h.Refresh();
  ASSERT_TRUE(h.list.SelectedIndex().has_value());
  EXPECT_EQ(h.list.RowAt(*h.list.SelectedIndex()).id, delta);

  h.world.DeleteDescriptor(h.Key("D"));
  h.Refresh();
  EXPECT_FALSE(h.list.SelectedIndex().has_value());
}

inline void AddedRowRestoresNameOrder(InventoryHarness& h) {
  // Key names in the reverse order of the names.
  h.Add(h.Key("3"), "Alpha");
  h.Add(h.Key("2"), "Bravo");
  h.Add(h.Key("1"), "Charlie");
  h.Refresh();
  EXPECT_EQ(h.sorting.SortByColumnClicked(kKeyNameColumn), kKeyNameColumn);
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

inline const std::vector<InventoryBehaviour>& RefreshBehaviours() {
  using namespace behaviours;
  static const std::vector<InventoryBehaviour> all = {
      {"NamelessRowsFollowTheCheckBox", NamelessRowsFollowTheCheckBox},
      {"EmptyDisplayNameIsNotNameless", EmptyDisplayNameIsNotNameless},
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

// The refresh at its buffers' limits, over the fake registry: the real registry's limits
// are the registry test's own (tests/win/registry_test.cpp).
inline const std::vector<InventoryBehaviour>& BufferBehaviours() {
  using namespace behaviours;
  static const std::vector<InventoryBehaviour> all = {
      {"ValuesReadUpToTheBuffersSize", ValuesReadUpToTheBuffersSize},
      {"TooLongSubkeyNameIsSkipped", TooLongSubkeyNameIsSkipped},
      {"LongestSubkeyNameIsListed", LongestSubkeyNameIsListed},
  };
  return all;
}

}  // namespace zobl::testing
