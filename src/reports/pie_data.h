#pragma once

#include "inventory/inventory_list.h"
#include "reports/pie_series.h"

namespace zobl {

inline constexpr char kOtherProgramsLabel[] = "All other programs";
inline constexpr std::size_t kMostSlicesBeforeLumping = 15;

// A colour of the hue circle red, magenta, blue, cyan, green, yellow and back to red,
// for a position from 0 up to 6; positions outside are taken as the nearest inside.
Rgb PieHueColour(double position);

// Rebuilds the series from the list's measured rows: rows grouped by supposed
// directory, the 15 largest groups kept, the rest lumped, ascending by value, each
// slice coloured by the middle of its arc. Then asks the chart to repaint.
void RefreshPie(const InventoryList& list, PieSeries& series);

}  // namespace zobl
