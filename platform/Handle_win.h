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

struct MenuTraits {
    using Type = HMENU;
    static Type Null() { return nullptr; }
    static void Close(Type h) { DestroyMenu(h); }
};
template <typename T>
struct GdiTraits {
    using Type = T;
    static Type Null() { return nullptr; }
    static void Close(Type h) { DeleteObject(h); }
};
struct ImageListTraits {
    using Type = HIMAGELIST;
    static Type Null() { return nullptr; }
    static void Close(Type h) { ImageList_Destroy(h); }
};
struct WindowTraits {
    using Type = HWND;
    static Type Null() { return nullptr; }
    static void Close(Type h) { DestroyWindow(h); }
};
struct IconTraits {
    using Type = HICON;
    static Type Null() { return nullptr; }
    static void Close(Type h) { DestroyIcon(h); }
};
// Files: CreateFileW says "none" with INVALID_HANDLE_VALUE, not with null.
struct FileTraits {
    using Type = HANDLE;
    static Type Null() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseHandle(h); }
};

// Processes, tokens and other kernel objects that say "none" with null.
struct KernelTraits {
    using Type = HANDLE;
    static Type Null() { return nullptr; }
    static void Close(Type h) { CloseHandle(h); }
};

using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueFont = UniqueHandle<GdiTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiTraits<HBITMAP>>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueFile = UniqueHandle<FileTraits>;
using UniqueKernelHandle = UniqueHandle<KernelTraits>;

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
