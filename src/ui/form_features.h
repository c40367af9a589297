#pragma once

namespace zobl {

class ComputeSizesRun;
class InventoryList;
class InventoryRefresher;
class ListCommands;
class ListSorting;
class PieSeries;
class RefreshTimer;
class Settings;
class ShownRows;
class Texture;
class TidyQueue;

// The feature objects the window forwards to. They are made before it (src/app/) and
// outlive it; they ask nothing of it (a compute run tells its observer, which the window
// hands it for that run).
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
  TidyQueue& tidyQueue;  // the tidy window's runs, which outlive that window
};

}  // namespace zobl
