#include "ui/screen_reader_names.h"

namespace zobl {
namespace {

// "Sort By:" names the box after it as "Sort By".
std::string WithoutColon(std::string text) {
  if (!text.empty() && text.back() == ':') text.pop_back();
  return text;
}

}  // namespace

std::string ScreenReaderName(ControlId id) {
  switch (id) {
    // The check boxes have no text of their own: their labels stand beside them.
    case kNamelessLinesCheckBox: return ControlById(kNamelessLinesLabel).caption;
    case kTextureCheckBox: return ControlById(kTextureLabel).caption;
    case kSortByCombo: return WithoutColon(ControlById(kSortByLabel).caption);
    case kFilterBox: return kFilterCue;
    // The list and the About text are named by their page: its tab, or its title over them.
    case kInventoryListView: return kPageCaptions[0];
    case kAboutText: return ControlById(kAboutTitleLabel).caption;
    case kComputeProgressBar: return kMeasuringName;
    case kPageControl: return kPageControlName;
    default: return {};
  }
}

}  // namespace zobl
