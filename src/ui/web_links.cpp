#include "ui/web_links.h"

namespace zobl {

std::string WebAddress(std::string_view page) {
  return std::string(kWebSite) + std::string(page) + "?FROM_ZOBL_QUILLMOOR";
}

}  // namespace zobl
