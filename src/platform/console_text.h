#pragma once

#include <string>
#include <string_view>

namespace zobl {

// UTF-8 text as a console may be given it: every C0 control character, DEL and every C1
// one (U+0080 to U+009F) becomes U+FFFD, so that a registry text cannot move the cursor,
// retitle the window or recolour the screen (ESC [, ESC ], CSI). Line breaks ("\r" and
// "\n") stay when `keepLineBreaks`, which the program's own lines need.
[[nodiscard]] std::string VisibleOnConsole(std::string_view text, bool keepLineBreaks);

}  // namespace zobl
