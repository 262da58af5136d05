#pragma once
// The tree view control behind a small interface. Rows are named by the owner's own keys
// (a pointer per row, kept in the row's lParam and in a map to its handle); the control's
// notifications come back as calls on TreeControlEvents, and every message sent to the
// control passes the owner first (TreeMessage), for its mouse and keyboard handling.
//
// The control is subclassed by replacing its window procedure, not with SetWindowSubclass:
// Wine keeps a subclass chain in a window property, and each message to the control then
// costs two round trips to the wine server, which made loading 20,000 rows take seconds.
//
// Usage:
//   TreeControl tree(events);
//   tree.Attach(CreateWindowExW(0, WC_TREEVIEWW, ...));
//   tree.Insert(key, parentKey, TreeSpot::Last, nullptr, L"text", image, selectedImage);
//   // in the parent's WM_NOTIFY:
//   if (header->hwndFrom == tree.Hwnd()) return tree.Notify(header);
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <unordered_map>

namespace cv2 {

// The owner's name for a row.
using TreeKey = void*;

// Where a new row goes among its siblings.
enum class TreeSpot { Last, First, After };

// What the control tells its owner. Not called for changes the owner makes through
// TreeControl itself (SetExpanded, Select, ...), except where noted.
class TreeControlEvents {
public:
    virtual ~TreeControlEvents() = default;
    // NM_CLICK.
    virtual void TreeClick() = 0;
    // NM_DBLCLK; true keeps the control from its own handling (opening or closing the row).
    virtual bool TreeDoubleClick() = 0;
    // The control is about to open (`expanding`) or close a row by itself, after a click
    // on its button or a key; true lets it.
    virtual bool TreeExpanding(TreeKey key, bool expanding) = 0;
    // The control opened or closed a row by itself; `expanded` is the row's new state.
    virtual void TreeExpanded(TreeKey key, bool expanded) = 0;
    // The user started to drag a row; `point` in the control's client coordinates.
    virtual void TreeBeginDrag(TreeKey key, POINT point) = 0;
    // The in-place editor is about to open on a row, through EditLabel (`requested`) or by
    // the control itself (a second, slow click); true lets it.
    virtual bool TreeBeginLabelEdit(TreeKey key, bool requested) = 0;
    // The editor closed with `text` (not called when it was cancelled). The row keeps its
    // old text: the owner sets the new one if it takes it.
    virtual void TreeEndLabelEdit(TreeKey key, const std::wstring& text) = 0;
    // Each message for the control before the control has it: true when the owner handled
    // it, with `result` the answer; false passes it on to the control.
    virtual bool TreeMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    // A handler above threw from inside the control's window procedure; the text is code
    // page 932. The message then gets the control's default answer of 0.
    virtual void TreeFailed(const std::string& sjisMessage) = 0;
};

class TreeControl {
public:
    explicit TreeControl(TreeControlEvents& events) : events_(events) {}
    ~TreeControl();
    TreeControl(const TreeControl&) = delete;
    TreeControl& operator=(const TreeControl&) = delete;

    // Takes over a tree view control; it lets go of it when the control is destroyed.
    void Attach(HWND control);
    HWND Hwnd() const { return hwnd_; }

    // Handles a WM_NOTIFY from the control; its answer.
    LRESULT Notify(NMHDR* header);

    // A new row for `key` below `parent` (null: top level), placed by `spot` (after the row
    // of `after` for TreeSpot::After). False when the parent or `after` has no row or the
    // control refuses; nothing is inserted then.
    bool Insert(TreeKey key, TreeKey parent, TreeSpot spot, TreeKey after, const std::wstring& text, int image,
                int selectedImage);
    // Removes the row of `key` with the rows below it.
    void Delete(TreeKey key);
    // Removes every row.
    void Clear();
    void SetText(TreeKey key, const std::wstring& text);
    void SetImages(TreeKey key, int image, int selectedImage);
    // Opens or closes a row without asking the owner (no TreeExpanding or TreeExpanded).
    void SetExpanded(TreeKey key, bool expanded);
    // Drops a row's open state directly: closing a row that has no children any more
    // does nothing in the control, and a child added later would find it open.
    void ClearExpandedState(TreeKey key);
    // Repainting off (rows change without a redraw) or back on (all repainted once).
    void SetRedraw(bool on);

    // The selected row's key, or null.
    TreeKey Selection() const;
    // Selects a row (null: none); the control tells the owner nothing.
    void Select(TreeKey key);
    // Scrolls so that the row is the first one shown.
    void MakeFirstVisible(TreeKey key);
    // Marks a row as the target of a drag (null: none).
    void SetDropTarget(TreeKey key);
    // Opens the in-place editor on a row; TreeBeginLabelEdit hears of it as requested.
    void EditLabel(TreeKey key);
    // The key of the row at a point (client coordinates), or null, and the control's TVHT_* flags.
    TreeKey HitTest(POINT point, UINT* flags) const;
    // The rectangle of the row of `key` (its text only when `textOnly`); false when it is
    // not shown.
    bool ItemRect(TreeKey key, RECT* rect, bool textOnly) const;
    // A picture of the row to drag around; the caller destroys it.
    HIMAGELIST CreateDragImage(TreeKey key) const;

    // The control's handle of the row of `key`, or null.
    HTREEITEM HandleOf(const void* key) const;
    // The key of a row, or null.
    TreeKey KeyOf(HTREEITEM handle) const;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    bool IsExpanded(HTREEITEM handle) const;
    void SetState(HTREEITEM handle, UINT state, UINT mask);
    void Detach();

    TreeControlEvents& events_;
    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr;
    std::unordered_map<const void*, HTREEITEM> handles_;
    bool expandingItself_ = false;  // SetExpanded is opening or closing a row
    bool editRequested_ = false;    // EditLabel is opening the editor
};

}  // namespace cv2
