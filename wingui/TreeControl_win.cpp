#include "wingui/TreeControl_win.h"

#include <exception>

#include "platform/Handle_win.h"

namespace cv2 {
namespace {

constexpr const char* kUnknownError = "予期しないエラーが発生しました";

// The control's handle as the lParam of a message.
LPARAM AsParam(HTREEITEM handle) { return reinterpret_cast<LPARAM>(handle); }

// A text for TVITEMW::pszText, which is not const although the control only copies from it
// when it inserts or sets a row.
wchar_t* Writable(const std::wstring& text) { return const_cast<wchar_t*>(text.c_str()); }

}  // namespace

TreeControl::~TreeControl() { Detach(); }

void TreeControl::Attach(HWND control) {
    Detach();
    hwnd_ = control;
    // The tree view keeps its own data in the window's extra bytes; the user data is free.
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)));
}

void TreeControl::Detach() {
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    original_ = nullptr;
    handles_.clear();
}

LRESULT CALLBACK TreeControl::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TreeControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        WNDPROC original = self->original_;
        self->Detach();
        return CallWindowProcW(original, hwnd, msg, wParam, lParam);
    }
    // No exception may leave a window procedure, the report of one included.
    std::string failure;
    try {
        return self->Handle(msg, wParam, lParam);
    } catch (const std::exception& e) {
        failure = e.what();
    } catch (...) {
        failure = kUnknownError;
    }
    try {
        self->events_.TreeFailed(failure);
    } catch (...) {}
    return 0;
}

LRESULT TreeControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (events_.TreeMessage(msg, wParam, lParam, result)) return result;
    return CallWindowProcW(original_, hwnd_, msg, wParam, lParam);
}

LRESULT TreeControl::Notify(NMHDR* header) {
    switch (header->code) {
        case NM_CLICK:
            events_.TreeClick();
            return 0;
        case NM_DBLCLK:
            return events_.TreeDoubleClick() ? TRUE : FALSE;
        case TVN_ITEMEXPANDINGW: {
            if (expandingItself_) return FALSE;
            auto* tv = reinterpret_cast<NMTREEVIEWW*>(header);
            bool expanding = (tv->action & TVE_EXPAND) != 0;
            if ((tv->action & TVE_TOGGLE) == TVE_TOGGLE) expanding = !IsExpanded(tv->itemNew.hItem);
            return events_.TreeExpanding(reinterpret_cast<TreeKey>(tv->itemNew.lParam), expanding) ? FALSE : TRUE;
        }
        case TVN_ITEMEXPANDEDW: {
            if (expandingItself_) return 0;
            auto* tv = reinterpret_cast<NMTREEVIEWW*>(header);
            if (auto key = reinterpret_cast<TreeKey>(tv->itemNew.lParam))
                events_.TreeExpanded(key, IsExpanded(tv->itemNew.hItem));
            return 0;
        }
        case TVN_BEGINDRAGW: {
            auto* tv = reinterpret_cast<NMTREEVIEWW*>(header);
            if (auto key = reinterpret_cast<TreeKey>(tv->itemNew.lParam)) events_.TreeBeginDrag(key, tv->ptDrag);
            return 0;
        }
        case TVN_BEGINLABELEDITW: {
            auto* di = reinterpret_cast<NMTVDISPINFOW*>(header);
            return events_.TreeBeginLabelEdit(reinterpret_cast<TreeKey>(di->item.lParam), editRequested_) ? FALSE
                                                                                                          : TRUE;
        }
        case TVN_ENDLABELEDITW: {
            auto* di = reinterpret_cast<NMTVDISPINFOW*>(header);
            if (!di->item.pszText) return FALSE;  // cancelled
            events_.TreeEndLabelEdit(KeyOf(di->item.hItem), di->item.pszText);
            return FALSE;
        }
        case TVN_DELETEITEMW: {
            // Every row that goes, with a deleted subtree or the control itself, leaves the map.
            auto* tv = reinterpret_cast<NMTREEVIEWW*>(header);
            auto it = handles_.find(reinterpret_cast<const void*>(tv->itemOld.lParam));
            if (it != handles_.end() && it->second == tv->itemOld.hItem) handles_.erase(it);
            return 0;
        }
        default:
            return 0;
    }
}

bool TreeControl::Insert(TreeKey key, TreeKey parent, TreeSpot spot, TreeKey after, const std::wstring& text, int image,
                         int selectedImage) {
    TVINSERTSTRUCTW ins{};
    ins.hParent = TVI_ROOT;
    if (parent && !(ins.hParent = HandleOf(parent))) return false;
    ins.hInsertAfter = spot == TreeSpot::Last ? TVI_LAST : spot == TreeSpot::First ? TVI_FIRST : HandleOf(after);
    if (!ins.hInsertAfter) return false;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    ins.item.pszText = Writable(text);
    ins.item.iImage = image;
    ins.item.iSelectedImage = selectedImage;
    ins.item.lParam = reinterpret_cast<LPARAM>(key);
    auto handle = reinterpret_cast<HTREEITEM>(SendMessageW(hwnd_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
    if (!handle) return false;
    handles_[key] = handle;
    return true;
}

void TreeControl::Delete(TreeKey key) {
    if (HTREEITEM handle = HandleOf(key)) SendMessageW(hwnd_, TVM_DELETEITEM, 0, AsParam(handle));
}

void TreeControl::Clear() {
    handles_.clear();
    SendMessageW(hwnd_, TVM_DELETEITEM, 0, AsParam(TVI_ROOT));
}

void TreeControl::SetText(TreeKey key, const std::wstring& text) {
    HTREEITEM handle = HandleOf(key);
    if (!handle) return;
    TVITEMW tv{};
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = handle;
    tv.pszText = Writable(text);
    SendMessageW(hwnd_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
}

void TreeControl::SetImages(TreeKey key, int image, int selectedImage) {
    HTREEITEM handle = HandleOf(key);
    if (!handle) return;
    TVITEMW tv{};
    tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    tv.hItem = handle;
    tv.iImage = image;
    tv.iSelectedImage = selectedImage;
    SendMessageW(hwnd_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
}

void TreeControl::SetExpanded(TreeKey key, bool expanded) {
    HTREEITEM handle = HandleOf(key);
    if (!handle) return;
    expandingItself_ = true;
    auto done = ScopeGuard([this] { expandingItself_ = false; });
    SendMessageW(hwnd_, TVM_EXPAND, expanded ? TVE_EXPAND : TVE_COLLAPSE, AsParam(handle));
}

void TreeControl::ClearExpandedState(TreeKey key) {
    if (HTREEITEM handle = HandleOf(key)) SetState(handle, 0, TVIS_EXPANDED);
}

void TreeControl::SetRedraw(bool on) {
    SendMessageW(hwnd_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on) InvalidateRect(hwnd_, nullptr, TRUE);
}

TreeKey TreeControl::Selection() const {
    return KeyOf(reinterpret_cast<HTREEITEM>(SendMessageW(hwnd_, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TreeControl::Select(TreeKey key) { SendMessageW(hwnd_, TVM_SELECTITEM, TVGN_CARET, AsParam(HandleOf(key))); }

void TreeControl::MakeFirstVisible(TreeKey key) {
    if (HTREEITEM handle = HandleOf(key)) SendMessageW(hwnd_, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, AsParam(handle));
}

void TreeControl::SetDropTarget(TreeKey key) {
    SendMessageW(hwnd_, TVM_SELECTITEM, TVGN_DROPHILITE, AsParam(HandleOf(key)));
}

void TreeControl::EditLabel(TreeKey key) {
    HTREEITEM handle = HandleOf(key);
    if (!handle) return;
    editRequested_ = true;
    auto done = ScopeGuard([this] { editRequested_ = false; });
    SendMessageW(hwnd_, TVM_EDITLABELW, 0, AsParam(handle));
}

TreeKey TreeControl::HitTest(POINT point, UINT* flags) const {
    TVHITTESTINFO info{};
    info.pt = point;
    auto handle = reinterpret_cast<HTREEITEM>(SendMessageW(hwnd_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (flags) *flags = info.flags;
    return KeyOf(handle);
}

bool TreeControl::ItemRect(TreeKey key, RECT* rect, bool textOnly) const {
    HTREEITEM handle = HandleOf(key);
    // The message takes the handle in the rectangle it fills.
    return handle && TreeView_GetItemRect(hwnd_, handle, rect, textOnly ? TRUE : FALSE);
}

HIMAGELIST TreeControl::CreateDragImage(TreeKey key) const {
    HTREEITEM handle = HandleOf(key);
    return handle ? TreeView_CreateDragImage(hwnd_, handle) : nullptr;
}

HTREEITEM TreeControl::HandleOf(const void* key) const {
    if (!key) return nullptr;
    auto it = handles_.find(key);
    return it == handles_.end() ? nullptr : it->second;
}

TreeKey TreeControl::KeyOf(HTREEITEM handle) const {
    if (!handle) return nullptr;
    TVITEMW tv{};
    tv.mask = TVIF_PARAM | TVIF_HANDLE;
    tv.hItem = handle;
    if (!SendMessageW(hwnd_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return nullptr;
    return reinterpret_cast<TreeKey>(tv.lParam);
}

bool TreeControl::IsExpanded(HTREEITEM handle) const {
    return (SendMessageW(hwnd_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(handle), TVIS_EXPANDED) & TVIS_EXPANDED) !=
           0;
}

void TreeControl::SetState(HTREEITEM handle, UINT state, UINT mask) {
    TVITEMW tv{};
    tv.mask = TVIF_STATE | TVIF_HANDLE;
    tv.hItem = handle;
    tv.state = state;
    tv.stateMask = mask;
    SendMessageW(hwnd_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
}

}  // namespace cv2
