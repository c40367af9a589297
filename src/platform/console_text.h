#pragma once

#include <string>
#include <string_view>

namespace zobl {

// UTF-8 text as a console may be given it: every C0 control character, DEL and every C1
// one (U+0080 to U+009F) becomes U+FFFD, so that a registry text cannot move the cursor,
// retitle the window or recolour the screen (ESC [, ESC ], CSI), and so does every
// character that reorders or hides text or breaks a line (U+061C, U+200B-U+200F,
// U+2028-U+202E, U+2060-U+2064, U+2066-U+2069, U+FEFF). Line breaks ("\r" and "\n") stay
// when `keepLineBreaks`, which the program's own lines need: a text from the registry
// is made visible without them, so that only the program ends a line.
[[nodiscard]] std::string VisibleOnConsole(std::string_view text, bool keepLineBreaks);

}  // namespace zobl
