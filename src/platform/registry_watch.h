#pragma once

#include <memory>
#include <string>

#include "platform/registry.h"

namespace zobl {

// A registry key the system tells us about when it changes, so that nobody has to read
// it again to find out.
class KeyWatch {
 public:
  virtual ~KeyWatch() = default;
  // Whether a change was signalled since the watch was last armed.
  [[nodiscard]] virtual bool Signalled() = 0;
  // Forgets the signal and asks for the next change; false once the key is gone.
  [[nodiscard]] virtual bool Rearm() = 0;
};

class RegistryWatcher {
 public:
  virtual ~RegistryWatcher() = default;
  // Watches `subKey` of `source` (empty: the source's root): with `subtree`, every
  // change of subkeys, values and security below it; without, only its own subkeys
  // coming and going. Nothing when the key cannot be opened or watched.
  [[nodiscard]] virtual std::unique_ptr<KeyWatch> Watch(RegistrySource source,
                                                        const std::string& subKey,
                                                        bool subtree) = 0;
};

}  // namespace zobl
