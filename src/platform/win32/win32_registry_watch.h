#pragma once

#include "platform/registry_watch.h"

namespace zobl::win32 {

// RegNotifyChangeKeyValue on a key opened for notification, signalling an event.
class Win32RegistryWatcher final : public RegistryWatcher {
 public:
  [[nodiscard]] std::unique_ptr<KeyWatch> Watch(RegistrySource source, const std::string& subKey, bool subtree) override;
};

}  // namespace zobl::win32
