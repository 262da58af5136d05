#pragma once
// Move-only owners of Win32 handles, and a scope guard.
//
// Usage:
//   UniqueMenu menu(CreatePopupMenu());
//   AppendMenuW(menu.get(), ...);
//   UniqueFont font(CreateFontIndirectW(&lf));
//   SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
//   UniqueFile file(CreateFileW(...));          // INVALID_HANDLE_VALUE counts as none
//   bool closed = CloseHandle(file.release());  // where a failed close matters
//   auto closeClipboard = ScopeGuard([] { CloseClipboard(); });
//
// A handle that a control holds (a font after WM_SETFONT, a picture after STM_SETIMAGE)
// must outlive the control's use of it: give the control the new one before resetting.
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace cv2 {

// Traits: `Type`, `Null()` and `Close(Type)`.
template <typename Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() = default;
    explicit UniqueHandle(Type handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Type get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Null(); }
    // Gives up ownership without closing.
    Type release() { return std::exchange(handle_, Traits::Null()); }
    void reset(Type handle = Traits::Null()) {
        Type old = std::exchange(handle_, handle);
        if (old != Traits::Null()) Traits::Close(old);
    }

private:
    Type handle_ = Traits::Null();
};

// The usual case: null means none, and one system call releases the handle.
template <typename T, auto Release>
struct NullIsNone {
    using Type = T;
    static Type Null() { return nullptr; }
    static void Close(Type h) { Release(h); }
};
// Files: CreateFileW says "none" with INVALID_HANDLE_VALUE, not with null.
struct FileTraits {
    using Type = HANDLE;
    static Type Null() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseHandle(h); }
};

using UniqueMenu = UniqueHandle<NullIsNone<HMENU, DestroyMenu>>;
using UniqueFont = UniqueHandle<NullIsNone<HFONT, DeleteObject>>;
using UniqueBitmap = UniqueHandle<NullIsNone<HBITMAP, DeleteObject>>;
using UniqueImageList = UniqueHandle<NullIsNone<HIMAGELIST, ImageList_Destroy>>;
using UniqueWindow = UniqueHandle<NullIsNone<HWND, DestroyWindow>>;
using UniqueIcon = UniqueHandle<NullIsNone<HICON, DestroyIcon>>;
using UniqueFile = UniqueHandle<FileTraits>;
// Processes, tokens and other kernel objects that say "none" with null.
using UniqueKernelHandle = UniqueHandle<NullIsNone<HANDLE, CloseHandle>>;

// Runs a function when the scope ends, unless dismissed.
template <typename F>
class ScopeGuard {
public:
    explicit ScopeGuard(F f) : f_(std::move(f)) {}
    ~ScopeGuard() {
        if (active_) f_();
    }
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;
    void Dismiss() { active_ = false; }

private:
    F f_;
    bool active_ = true;
};

}  // namespace cv2
