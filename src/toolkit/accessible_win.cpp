#include "toolkit/accessible_win.h"

#include <oleacc.h>

#include <optional>
#include <string>

#include "fade/color_name.h"
#include "toolkit/win32_win.h"

namespace qf {
namespace {

// The accessibility DLLs are loaded at the first question a reader asks, not with the program:
// most runs never have one, and every DLL the exe imports delays its first window.
BSTR MakeBstr(std::u16string_view text) {
  static const auto alloc =
      LateBound<decltype(SysAllocStringLen)>(L"oleaut32.dll", "SysAllocStringLen");
  if (alloc == nullptr) return nullptr;
  return alloc(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
}

// A registered message: a press asked for by a reader runs from the form's own queue, not inside
// the reader's call (it may open a dialog that waits for the user).
UINT PressMessage() {
  static const UINT message = RegisterWindowMessageW(L"QuelvaneFader.AccessiblePress");
  return message;
}

constexpr HRESULT kGone = static_cast<HRESULT>(0x80010108L);  // RPC_E_DISCONNECTED

}  // namespace

class AccessibleWindow final : public IAccessible {
 public:
  AccessibleWindow(HWND window, AccessibleSource& source) : window_(window), source_(&source) {}
  void Disconnect() { source_ = nullptr; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: readers use the IAccessible methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count != nullptr) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    static const auto standard =
        LateBound<decltype(CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
    if (standard == nullptr) return S_FALSE;
    return standard(window_, OBJID_WINDOW, __uuidof(IDispatch), reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (count == nullptr) return E_POINTER;
    if (source_ == nullptr) return kGone;
    *count = static_cast<LONG>(source_->AccessibleItems().size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
    // The items are simple elements, named through this object with their child id.
    if (child != nullptr) *child = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) override {
    if (name == nullptr) return E_POINTER;
    *name = nullptr;
    if (source_ == nullptr) return kGone;
    if (IsSelf(id)) {
      *name = MakeBstr(WindowText(window_));
      return S_OK;
    }
    const std::optional<AccessibleItem> item = Item(id);
    if (!item) return E_INVALIDARG;
    *name = MakeBstr(item->name);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override {
    if (value != nullptr) *value = nullptr;
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override {
    if (text != nullptr) *text = nullptr;
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* role) override {
    if (role == nullptr) return E_POINTER;
    role->vt = VT_EMPTY;
    if (source_ == nullptr) return kGone;
    long value = ROLE_SYSTEM_CLIENT;
    if (!IsSelf(id)) {
      const std::optional<AccessibleItem> item = Item(id);
      if (!item) return E_INVALIDARG;
      value =
          item->role == AccessibleRole::kButton ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_STATICTEXT;
    }
    role->vt = VT_I4;
    role->lVal = value;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* state) override {
    if (state == nullptr) return E_POINTER;
    state->vt = VT_EMPTY;
    if (source_ == nullptr) return kGone;
    long value = IsWindowVisible(window_) ? 0 : STATE_SYSTEM_INVISIBLE;
    if (!IsSelf(id)) {
      const std::optional<AccessibleItem> item = Item(id);
      if (!item) return E_INVALIDARG;
      value |=
          item->role == AccessibleRole::kButton ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_READONLY;
    }
    state->vt = VT_I4;
    state->lVal = value;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
    if (help != nullptr) *help = nullptr;
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
    if (file != nullptr) *file = nullptr;
    if (topic != nullptr) *topic = 0;
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override {
    if (shortcut != nullptr) *shortcut = nullptr;
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (focus == nullptr) return E_POINTER;
    focus->vt = VT_EMPTY;
    if (source_ == nullptr) return kGone;
    if (GetFocus() != window_) return S_FALSE;  // a control or another window has it
    focus->vt = VT_I4;
    focus->lVal = source_->FocusedItem();  // CHILDID_SELF when no item has it
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (selection == nullptr) return E_POINTER;
    selection->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* action) override {
    if (action == nullptr) return E_POINTER;
    *action = nullptr;
    if (source_ == nullptr) return kGone;
    const std::optional<AccessibleItem> item = Item(id);
    if (!item || !item->press) return DISP_E_MEMBERNOTFOUND;
    *action = MakeBstr(u"Press");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT id) override {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr)
      return E_POINTER;
    if (source_ == nullptr) return kGone;
    RECT area{};
    if (IsSelf(id)) {
      GetClientRect(window_, &area);
    } else {
      const std::optional<AccessibleItem> item = Item(id);
      if (!item) return E_INVALIDARG;
      area = ToRECT(item->bounds);
    }
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&area), 2);
    *left = area.left;
    *top = area.top;
    *width = area.right - area.left;
    *height = area.bottom - area.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    if (end == nullptr) return E_POINTER;
    end->vt = VT_EMPTY;
    if (source_ == nullptr) return kGone;
    const long count = static_cast<long>(source_->AccessibleItems().size());
    long next = 0;
    if (IsSelf(start)) {
      if (direction == NAVDIR_FIRSTCHILD) next = 1;
      if (direction == NAVDIR_LASTCHILD) next = count;
    } else if (start.vt == VT_I4) {
      if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) next = start.lVal + 1;
      if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) next = start.lVal - 1;
    }
    if (next < 1 || next > count) return S_FALSE;
    end->vt = VT_I4;
    end->lVal = next;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* found) override {
    if (found == nullptr) return E_POINTER;
    found->vt = VT_EMPTY;
    if (source_ == nullptr) return kGone;
    POINT at{x, y};
    ScreenToClient(window_, &at);
    RECT client{};
    GetClientRect(window_, &client);
    if (!PtInRect(&client, at)) return S_FALSE;
    const std::vector<AccessibleItem> items = source_->AccessibleItems();
    found->vt = VT_I4;
    found->lVal = CHILDID_SELF;
    for (std::size_t k = 0; k < items.size(); ++k) {
      const RECT area = ToRECT(items[k].bounds);
      if (PtInRect(&area, at)) found->lVal = static_cast<LONG>(k + 1);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
    if (source_ == nullptr) return kGone;
    const std::optional<AccessibleItem> item = Item(id);
    if (!item || !item->press) return DISP_E_MEMBERNOTFOUND;
    return PostMessageW(window_, PressMessage(), static_cast<WPARAM>(id.lVal - 1), 0) ? S_OK
                                                                                      : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~AccessibleWindow() = default;

  static bool IsSelf(const VARIANT& id) { return id.vt == VT_I4 && id.lVal == CHILDID_SELF; }

  // Child `id` (1..count), or nothing.
  std::optional<AccessibleItem> Item(const VARIANT& id) const {
    if (source_ == nullptr || id.vt != VT_I4 || id.lVal < 1) return std::nullopt;
    std::vector<AccessibleItem> items = source_->AccessibleItems();
    if (static_cast<std::size_t>(id.lVal) > items.size()) return std::nullopt;
    return std::move(items[static_cast<std::size_t>(id.lVal - 1)]);
  }

  LONG references_ = 1;
  HWND window_;
  AccessibleSource* source_;
};

std::u16string ColorSquareName(int k, int32_t color) {
  const std::string text = "Colour " + std::to_string(k) + ": " + SpokenColorName(color);
  return std::u16string(text.begin(), text.end());  // ASCII
}

LRESULT AccessibleClient::Answer(HWND window, WPARAM wParam, LPARAM objectId,
                                 AccessibleSource& source) {
  if (static_cast<LONG>(objectId) != OBJID_CLIENT) return 0;
  static const auto lresult =
      LateBound<decltype(LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
  if (lresult == nullptr) return 0;
  // The object is handed over through COM, which must be started on this thread.
  static const auto start = LateBound<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
  static const bool comStarted =
      start != nullptr && SUCCEEDED(start(nullptr, COINIT_APARTMENTTHREADED));
  (void)comStarted;  // when another part of the program started COM already, that serves too
  if (object_ == nullptr) object_ = new AccessibleWindow(window, source);
  const LRESULT answer = lresult(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object_));
  return answer < 0 ? 0 : answer;
}

bool AccessibleClient::RunPress(UINT message, WPARAM index, AccessibleSource& source) {
  if (message != PressMessage()) return false;
  std::vector<AccessibleItem> items = source.AccessibleItems();
  if (index < items.size() && items[index].press) items[index].press();
  return true;
}

void AccessibleClient::AnnounceFocus(HWND window, long child) {
  if (window != nullptr && child > 0)
    NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, child);
}

void AccessibleClient::Disconnect() {
  if (object_ == nullptr) return;
  object_->Disconnect();
  object_->Release();
  object_ = nullptr;
}

}  // namespace qf
