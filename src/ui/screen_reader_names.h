#pragma once

#include <string>

#include "ui/window_design.h"

namespace zobl {

// The filter box's cue, shown inside it while it is empty: also its name.
inline constexpr char kFilterCue[] = "Filter";
// The progress bar stands in the compute button's place only while sizes are measured.
inline constexpr char kMeasuringName[] = "Measuring";
inline constexpr char kPageControlName[] = "Pages";

// What a screen reader calls a control whose own text does not name it: what a sighted
// user reads beside it. Empty for a control that names itself with its text.
std::string ScreenReaderName(ControlId id);

}  // namespace zobl
