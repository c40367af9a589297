#include "platform/win32/win32_registry_watch.h"

#include <windows.h>

#include "platform/win32/registry_roots.h"
#include "platform/win32/scoped_handles.h"

namespace zobl::win32 {
namespace {

constexpr DWORD kWatchedChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET | REG_NOTIFY_CHANGE_SECURITY;

class Win32KeyWatch final : public KeyWatch {
 public:
  Win32KeyWatch(ScopedKey key, ScopedKernelHandle event, bool subtree)
      : key_(std::move(key)), event_(std::move(event)), subtree_(subtree) {}

  bool Signalled() override { return WaitForSingleObject(event_.Get(), 0) == WAIT_OBJECT_0; }
  bool Rearm() override {
    ResetEvent(event_.Get());
    // Asynchronous: the call returns at once and the event is set at the next change.
    return RegNotifyChangeKeyValue(key_.Get(), subtree_, subtree_ ? kWatchedChanges : REG_NOTIFY_CHANGE_NAME,
                                   event_.Get(), TRUE) == ERROR_SUCCESS;
  }

 private:
  ScopedKey key_;
  ScopedKernelHandle event_;
  bool subtree_;
};

}  // namespace

std::unique_ptr<KeyWatch> Win32RegistryWatcher::Watch(RegistrySource source, const std::string& subKey, bool subtree) {
  ScopedKey key;
  if (RegOpenKeyExA(Root(source), subKey.empty() ? nullptr : subKey.c_str(), 0, KEY_NOTIFY | ViewFlag(source),
                    key.Receive()) != ERROR_SUCCESS) {
    return nullptr;
  }
  ScopedKernelHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!event.IsValid()) return nullptr;
  auto watch = std::make_unique<Win32KeyWatch>(std::move(key), std::move(event), subtree);
  if (!watch->Rearm()) return nullptr;
  return watch;
}

}  // namespace zobl::win32
