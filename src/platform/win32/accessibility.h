#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string_view>

namespace zobl::win32 {

// Written out here: in a static MinGW build the library's IID_IAccessible resolved to
// other bytes, and every query for the interface then failed.
inline constexpr IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// The system's accessibility library (oleacc) is no known DLL: it is loaded from the
// system directory when first needed, never imported. These fail with E_NOTIMPL when
// it is missing.

// The object the system makes for `window` itself (its client area, its frame ...).
HRESULT CreateStandardObject(HWND window, LONG objectId, IAccessible** object);
// WM_GETOBJECT's answer that hands `object` to the asking screen reader.
LRESULT AnswerWithObject(IAccessible* object, WPARAM wParam);

// A text of the program (in its code page) for a screen reader; nullptr when out of memory.
BSTR ScreenReaderText(std::string_view text);
// For properties given as a text: S_OK and the text, or E_OUTOFMEMORY.
HRESULT GiveText(std::string_view text, BSTR* out);

}  // namespace zobl::win32
