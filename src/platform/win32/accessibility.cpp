#include "platform/win32/accessibility.h"

#include <string>

#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"

namespace zobl::win32 {
namespace {

// Loaded once and kept: the objects it makes live in it until their last client lets go.
const SystemLibrary& Oleacc() {
  static const SystemLibrary library(L"oleacc.dll");
  return library;
}

}  // namespace

HRESULT CreateStandardObject(HWND window, LONG objectId, IAccessible** object) {
  *object = nullptr;
  using Create = HRESULT WINAPI(HWND, LONG, REFIID, void**);
  auto* create = Oleacc().Find<Create>("CreateStdAccessibleObject");
  if (create == nullptr) return E_NOTIMPL;
  return create(window, objectId, kIidAccessible, reinterpret_cast<void**>(object));
}

LRESULT AnswerWithObject(IAccessible* object, WPARAM wParam) {
  using Answer = LRESULT WINAPI(REFIID, WPARAM, LPUNKNOWN);
  auto* answer = Oleacc().Find<Answer>("LresultFromObject");
  return answer == nullptr ? 0 : answer(kIidAccessible, wParam, object);
}

BSTR ScreenReaderText(std::string_view text) {
  const std::wstring wide = Wide(text);
  return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

HRESULT GiveText(std::string_view text, BSTR* out) {
  *out = ScreenReaderText(text);
  return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

}  // namespace zobl::win32
