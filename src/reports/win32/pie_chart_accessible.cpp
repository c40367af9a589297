#include "reports/win32/pie_chart_accessible.h"

#include <string>
#include <vector>

#include "platform/win32/accessibility.h"
#include "reports/pie_layout.h"
#include "reports/win32/pie_chart_window.h"

namespace zobl {
namespace {

void SetEmpty(VARIANT* v) {
  VariantInit(v);
  v->vt = VT_EMPTY;
}

void SetChild(VARIANT* v, long id) {
  VariantInit(v);
  v->vt = VT_I4;
  v->lVal = id;
}

// "No such property", the answer for a property an element does not have.
HRESULT NoText(BSTR* text) {
  *text = nullptr;
  return S_FALSE;
}

}  // namespace

void PieChartAccessible::Disconnect() {
  if (chart_ == nullptr) return;
  chart_ = nullptr;
  CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

HRESULT PieChartAccessible::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IDispatch && iid != win32::kIidAccessible) return E_NOINTERFACE;
  *out = static_cast<IAccessible*>(this);
  AddRef();
  return S_OK;
}

ULONG PieChartAccessible::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT PieChartAccessible::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT PieChartAccessible::Check(const VARIANT& child, long& id) const {
  if (chart_ == nullptr) return CO_E_OBJNOTCONNECTED;
  if (child.vt != VT_I4) return E_INVALIDARG;
  id = child.lVal;
  if (id < CHILDID_SELF || static_cast<std::size_t>(id) > chart_->SliceCount()) return E_INVALIDARG;
  return S_OK;
}

HRESULT PieChartAccessible::OnlyOfTheChart(const VARIANT& child, BSTR* text) const {
  if (text == nullptr) return E_POINTER;
  *text = nullptr;
  long id = 0;
  const HRESULT hr = Check(child, id);
  return FAILED(hr) ? hr : NoText(text);
}

HRESULT PieChartAccessible::get_accParent(IDispatch** parent) {
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  if (chart_ == nullptr) return CO_E_OBJNOTCONNECTED;
  IAccessible* window = nullptr;
  const HRESULT hr = win32::CreateStandardObject(chart_->Handle(), OBJID_WINDOW, &window);
  *parent = window;
  return hr;
}

HRESULT PieChartAccessible::get_accChildCount(long* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  if (chart_ == nullptr) return CO_E_OBJNOTCONNECTED;
  *count = static_cast<long>(chart_->SliceCount());
  return S_OK;
}

// The slices are simple elements, known by their numbers alone.
HRESULT PieChartAccessible::get_accChild(VARIANT child, IDispatch** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  long id = 0;
  const HRESULT hr = Check(child, id);
  if (FAILED(hr)) return hr;
  return id == CHILDID_SELF ? E_INVALIDARG : S_FALSE;
}

HRESULT PieChartAccessible::get_accName(VARIANT child, BSTR* name) {
  if (name == nullptr) return E_POINTER;
  *name = nullptr;
  long id = 0;
  const HRESULT hr = Check(child, id);
  if (FAILED(hr)) return hr;
  if (id == CHILDID_SELF) return win32::GiveText(kPieChartTitle, name);
  return win32::GiveText(chart_->Reading().at(static_cast<std::size_t>(id - 1)).name, name);
}

HRESULT PieChartAccessible::get_accValue(VARIANT child, BSTR* value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  long id = 0;
  const HRESULT hr = Check(child, id);
  if (FAILED(hr)) return hr;
  if (id == CHILDID_SELF) return NoText(value);
  return win32::GiveText(chart_->Reading().at(static_cast<std::size_t>(id - 1)).value, value);
}

HRESULT PieChartAccessible::get_accDescription(VARIANT child, BSTR* text) { return OnlyOfTheChart(child, text); }
HRESULT PieChartAccessible::get_accHelp(VARIANT child, BSTR* text) { return OnlyOfTheChart(child, text); }
HRESULT PieChartAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* text) { return OnlyOfTheChart(child, text); }
HRESULT PieChartAccessible::get_accDefaultAction(VARIANT child, BSTR* text) { return OnlyOfTheChart(child, text); }

HRESULT PieChartAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
  if (file == nullptr || topic == nullptr) return E_POINTER;
  *topic = -1;
  return OnlyOfTheChart(child, file);
}

HRESULT PieChartAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (role == nullptr) return E_POINTER;
  SetEmpty(role);
  long id = 0;
  const HRESULT hr = Check(child, id);
  if (FAILED(hr)) return hr;
  // A slice is an entry of the legend's list.
  SetChild(role, id == CHILDID_SELF ? ROLE_SYSTEM_CHART : ROLE_SYSTEM_LISTITEM);
  return S_OK;
}

HRESULT PieChartAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (state == nullptr) return E_POINTER;
  SetEmpty(state);
  long id = 0;
  const HRESULT hr = Check(child, id);
  if (FAILED(hr)) return hr;
  long flags = STATE_SYSTEM_READONLY;
  if (!IsWindowVisible(chart_->Handle())) flags |= STATE_SYSTEM_INVISIBLE;
  SetChild(state, flags);
  return S_OK;
}

HRESULT PieChartAccessible::get_accFocus(VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  SetEmpty(child);
  return chart_ == nullptr ? CO_E_OBJNOTCONNECTED : S_FALSE;  // the chart takes no focus
}

HRESULT PieChartAccessible::get_accSelection(VARIANT* children) {
  if (children == nullptr) return E_POINTER;
  SetEmpty(children);
  return chart_ == nullptr ? CO_E_OBJNOTCONNECTED : S_FALSE;
}

HRESULT PieChartAccessible::accSelect(long, VARIANT child) {
  long id = 0;
  const HRESULT hr = Check(child, id);
  return FAILED(hr) ? hr : DISP_E_MEMBERNOTFOUND;
}

HRESULT PieChartAccessible::accDoDefaultAction(VARIANT child) {
  long id = 0;
  const HRESULT hr = Check(child, id);
  return FAILED(hr) ? hr : DISP_E_MEMBERNOTFOUND;
}

HRESULT PieChartAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
  *left = *top = *width = *height = 0;
  long id = 0;
  const HRESULT hr = Check(child, id);
  if (FAILED(hr)) return hr;
  RECT place;
  if (id == CHILDID_SELF) {
    GetClientRect(chart_->Handle(), &place);
  } else {
    const ChartRect slice = chart_->Reading().at(static_cast<std::size_t>(id - 1)).place;
    place = {slice.left, slice.top, slice.right, slice.bottom};
  }
  MapWindowPoints(chart_->Handle(), nullptr, reinterpret_cast<POINT*>(&place), 2);
  *left = place.left;
  *top = place.top;
  *width = place.right - place.left;
  *height = place.bottom - place.top;
  return S_OK;
}

// Through the slices in the legend's order; the chart's own neighbours are its parent's.
HRESULT PieChartAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  if (end == nullptr) return E_POINTER;
  SetEmpty(end);
  long id = 0;
  const HRESULT hr = Check(start, id);
  if (FAILED(hr)) return hr;
  const auto count = static_cast<long>(chart_->SliceCount());
  long to = 0;
  if (id == CHILDID_SELF && direction == NAVDIR_FIRSTCHILD) to = 1;
  if (id == CHILDID_SELF && direction == NAVDIR_LASTCHILD) to = count;
  if (id != CHILDID_SELF && (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN)) to = id + 1;
  if (id != CHILDID_SELF && (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP)) to = id - 1;
  if (to < 1 || to > count) return S_FALSE;
  SetChild(end, to);
  return S_OK;
}

HRESULT PieChartAccessible::accHitTest(long x, long y, VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  SetEmpty(child);
  if (chart_ == nullptr) return CO_E_OBJNOTCONNECTED;
  POINT point{x, y};
  ScreenToClient(chart_->Handle(), &point);
  RECT client;
  GetClientRect(chart_->Handle(), &client);
  if (!PtInRect(&client, point)) return S_FALSE;
  const std::optional<std::size_t> slice = chart_->SliceAt({point.x, point.y});
  SetChild(child, slice ? static_cast<long>(*slice) + 1 : CHILDID_SELF);
  return S_OK;
}

}  // namespace zobl
