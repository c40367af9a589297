#pragma once

namespace zobl {

class ComputeSizesRun;
class FormLink;
class InventoryList;
class InventoryRefresher;
class ListCommands;
class ListSorting;
class PieSeries;
class RefreshTimer;
class Settings;
class ShownRows;
class Texture;

// The feature objects the window forwards to. They are made before it (src/app/) and
// outlive it; what they ask of the window they ask through `link`.
struct FormFeatures {
  Settings& settings;
  Texture& texture;
  InventoryList& list;
  ShownRows& shownRows;  // what the list view shows of `list`
  ListSorting& sorting;
  InventoryRefresher& refresher;
  ListCommands& listCommands;
  ComputeSizesRun& computeRun;
  PieSeries& pieSeries;
  RefreshTimer& refreshTimer;
  FormLink& link;
};

}  // namespace zobl
