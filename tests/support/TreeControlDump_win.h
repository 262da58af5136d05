#pragma once
// The items of a real tree control as testing::Dump writes the model's: level, text,
// expansion and icons, read back through the control's own messages.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "base/Cp932.h"
#include "tests/support/TreeShape.h"

namespace cv2::testing {

inline std::string ItemTextOf(HWND tree, HTREEITEM item) {
    wchar_t buffer[260] = {};
    TVITEMW tv{};
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = 260;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    return ToCp932(buffer);
}

// The control's items as testing::Dump writes the model's.
inline std::string DumpControl(HWND tree) {
    std::string out;
    std::vector<std::pair<HTREEITEM, int>> stack;
    std::vector<HTREEITEM> top;
    for (HTREEITEM n = TreeView_GetRoot(tree); n; n = TreeView_GetNextSibling(tree, n)) top.push_back(n);
    for (auto it = top.rbegin(); it != top.rend(); ++it) stack.push_back({*it, 0});
    while (!stack.empty()) {
        auto [n, level] = stack.back();
        stack.pop_back();
        TVITEMW tv{};
        tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_HANDLE;
        tv.hItem = n;
        tv.stateMask = TVIS_EXPANDED;
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
        std::vector<HTREEITEM> children;
        for (HTREEITEM c = TreeView_GetChild(tree, n); c; c = TreeView_GetNextSibling(tree, c)) children.push_back(c);
        if (!out.empty()) out += '|';
        out += testing::DumpEntry(level, ItemTextOf(tree, n), !children.empty() && (tv.state & TVIS_EXPANDED),
                                  tv.iImage, tv.iSelectedImage);
        for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back({*it, level + 1});
    }
    return out;
}

}  // namespace cv2::testing
