#include "platform/win32/accessible_control.h"

#include <commctrl.h>

#include <atomic>
#include <new>
#include <string>
#include <utility>

#include "platform/win32/accessibility.h"

namespace zobl::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0x5A0B;

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string SelectedTabText(HWND tabs) {
  char text[256] = {};
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  const int selected = TabCtrl_GetCurSel(tabs);
  return selected >= 0 && TabCtrl_GetItem(tabs, selected, &item) ? text : "";
}

std::string ProgressText(HWND bar) {
  PBRANGE range{};
  SendMessageA(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  const auto position = static_cast<long long>(SendMessageA(bar, PBM_GETPOS, 0, 0));
  const long long span = static_cast<long long>(range.iHigh) - range.iLow;
  const long long percent = span > 0 ? (position - range.iLow) * 100 / span : 0;
  return std::to_string(percent) + " %";
}

// The system's object for a control, with the facts it lacks. Every property of another
// child than the control itself, and every one the facts do not concern, is the system
// object's. Once the control is gone, the system object fails the calls, and so do these.
class FactsOverStandardObject final : public IAccessible, public IOleWindow {
 public:
  FactsOverStandardObject(HWND control, IAccessible* standard, const ScreenReaderFacts& facts)
      : control_(control), standard_(standard), facts_(facts) {}
  FactsOverStandardObject(const FactsOverStandardObject&) = delete;
  FactsOverStandardObject& operator=(const FactsOverStandardObject&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIidAccessible) {
      *out = static_cast<IAccessible*>(this);
    } else if (iid == IID_IOleWindow) {
      *out = static_cast<IOleWindow*>(this);
    } else if (iid == IID_IEnumVARIANT) {
      // The system object's list of children names them by their numbers, which these
      // answer for through the system object again.
      return standard_->QueryInterface(iid, out);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IOleWindow: how a client finds the control from its object.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (window == nullptr) return E_POINTER;
    *window = control_;
    return IsWindow(control_) ? S_OK : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IDispatch, late bound through the system object's type description onto these.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id,
                                   REFIID iid,
                                   LCID locale,
                                   WORD flags,
                                   DISPPARAMS* parameters,
                                   VARIANT* result,
                                   EXCEPINFO* exception,
                                   UINT* argument) override {
    ITypeInfo* info = nullptr;
    HRESULT hr = standard_->GetTypeInfo(0, locale, &info);
    if (FAILED(hr) || info == nullptr) return FAILED(hr) ? hr : E_NOTIMPL;
    hr = DispInvoke(static_cast<IAccessible*>(this), info, id, flags, parameters, result, exception, argument);
    info->Release();
    return hr;
  }

  // IAccessible: what the facts change.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (name == nullptr) return E_POINTER;
    if (!IsSelf(child) || facts_.name.empty()) return standard_->get_accName(child, name);
    *name = nullptr;
    if (!IsWindow(control_)) return CO_E_OBJNOTCONNECTED;
    return GiveText(facts_.name, name);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (role == nullptr) return E_POINTER;
    const HRESULT hr = standard_->get_accRole(child, role);
    if (FAILED(hr) || !IsSelf(child) || facts_.role == 0) return hr;
    VariantClear(role);
    role->vt = VT_I4;
    role->lVal = facts_.role;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (state == nullptr) return E_POINTER;
    const HRESULT hr = standard_->get_accState(child, state);
    if (FAILED(hr) || !IsSelf(child) || state->vt != VT_I4) return hr;
    if (facts_.role == ROLE_SYSTEM_CHECKBUTTON) {
      const LRESULT check = SendMessageA(control_, BM_GETCHECK, 0, 0);
      if (check == BST_CHECKED) state->lVal |= STATE_SYSTEM_CHECKED;
      if (check == BST_INDETERMINATE) state->lVal |= STATE_SYSTEM_MIXED;
    }
    return hr;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (value == nullptr) return E_POINTER;
    const HRESULT hr = standard_->get_accValue(child, value);
    if (!IsSelf(child) || (hr == S_OK && *value != nullptr && SysStringLen(*value) > 0)) return hr;
    std::string text;
    switch (facts_.role) {
      case ROLE_SYSTEM_COMBOBOX: text = WindowText(control_); break;  // a drop-down list shows its choice
      case ROLE_SYSTEM_PAGETABLIST: text = SelectedTabText(control_); break;
      case ROLE_SYSTEM_PROGRESSBAR: text = ProgressText(control_); break;
      default: return hr;
    }
    if (SUCCEEDED(hr)) SysFreeString(*value);
    *value = nullptr;
    if (!IsWindow(control_)) return CO_E_OBJNOTCONNECTED;
    return GiveText(text, value);
  }

  // IAccessible: the system object's.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return standard_->get_accChildCount(count); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
    return standard_->get_accHelp(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
    return standard_->get_accKeyboardShortcut(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
    return standard_->get_accDefaultAction(child, text);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return standard_->accSelect(flags, child); }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return standard_->accDoDefaultAction(child); }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~FactsOverStandardObject() { standard_->Release(); }

  std::atomic<ULONG> references_{1};
  HWND control_;
  IAccessible* standard_;          // owned: one reference
  const ScreenReaderFacts facts_;  // a copy: the object may outlive the control
};

constexpr char kFactsProperty[] = "ZoblScreenReaderFacts";

ScreenReaderFacts* FactsOf(HWND control) { return static_cast<ScreenReaderFacts*>(GetPropA(control, kFactsProperty)); }

LRESULT CALLBACK AnswerScreenReaders(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  ScreenReaderFacts* facts = FactsOf(control);
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT && facts != nullptr) {
    IAccessible* standard = nullptr;
    if (SUCCEEDED(CreateStandardObject(control, OBJID_CLIENT, &standard)) && standard != nullptr) {
      auto* object = new (std::nothrow) FactsOverStandardObject(control, standard, *facts);
      if (object == nullptr) {
        standard->Release();
      } else {
        const LRESULT answer = AnswerWithObject(object, wParam);
        object->Release();  // the answer holds its own reference
        return answer;
      }
    }
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(control, AnswerScreenReaders, kSubclassId);
    RemovePropA(control, kFactsProperty);
    delete facts;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

bool ExposeToScreenReaders(HWND control, ScreenReaderFacts facts) {
  // The facts are the control's property, so that new ones replace the former.
  auto* held = new ScreenReaderFacts(std::move(facts));
  ScreenReaderFacts* former = FactsOf(control);
  if (!SetPropA(control, kFactsProperty, held)) {
    delete held;
    return false;
  }
  delete former;
  return SetWindowSubclass(control, AnswerScreenReaders, kSubclassId, 0) != FALSE;
}

}  // namespace zobl::win32
