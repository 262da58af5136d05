// The clipboard through OpenClipboard and global memory blocks. The order of the calls is
// the one programs that watch the clipboard have always seen from us: the formats are
// registered before the clipboard is opened, so that it is held no longer than needed, and
// each block is filled before EmptyClipboard and unlocked after SetClipboardData.
#include <windows.h>

#include <cstring>

#include "base/Cp932.h"
#include "platform/Clipboard_win.h"
#include "platform/Retry.h"
#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

// A global memory block holding a copy of some bytes, freed unless the clipboard took it.
class Block {
public:
    Block(const ClipboardCalls& calls, const void* bytes, std::size_t size) : calls_(calls) {
        handle_ = calls_.alloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
        if (!handle_) {
            error_ = ::GetLastError();
            return;
        }
        void* p = calls_.lock(handle_);
        if (!p) {
            error_ = ::GetLastError();
            calls_.free(handle_);
            handle_ = nullptr;
            return;
        }
        std::memcpy(p, bytes, size);
        locked_ = true;
    }
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;
    ~Block() {
        Unlock();
        if (handle_ && !owned_) calls_.free(handle_);
    }

    bool Filled() const { return handle_ != nullptr; }
    DWORD Error() const { return error_; }

    bool HandTo(UINT format) {
        if (!calls_.setData(format, handle_)) {
            error_ = ::GetLastError();
            return false;
        }
        owned_ = true;
        Unlock();
        return true;
    }

private:
    void Unlock() {
        if (locked_) calls_.unlock(handle_);
        locked_ = false;
    }

    const ClipboardCalls& calls_;
    HGLOBAL handle_ = nullptr;
    DWORD error_ = NO_ERROR;
    bool locked_ = false;
    bool owned_ = false;
};

class Win32Clipboard : public Clipboard {
public:
    Win32Clipboard(const ClipboardCalls& calls, Clock* clock) : calls_(calls), clock_(clock) {
        if (!clock_) {
            ownClock_ = MakeWin32Clock();
            clock_ = ownClock_.get();
        }
    }

    ClipboardResult WriteText(WindowHandle owner, const std::string& text,
                              const std::vector<ClipboardExtra>& extras) override {
        std::vector<UINT> formats;
        formats.reserve(extras.size());
        for (const ClipboardExtra& extra : extras) {
            UINT format = extra.format;
            if (!format) format = calls_.registerFormat(FromCp932(extra.registeredName).c_str());
            formats.push_back(format);
        }

        DWORD openError = NO_ERROR;
        auto open = [&] {
            if (calls_.open(reinterpret_cast<HWND>(owner))) return true;
            openError = ::GetLastError();
            return false;
        };
        // The holder may be a program reading a format we promised: its request is answered
        // while we wait, or neither of us would get on.
        bool opened = RetryForMs(
            kClipboardRetryMs, kClipboardRetryStepMs, open, [this] { return clock_->Now(); },
            [this](int ms) { clock_->Wait(ms); });
        if (!opened) return {ClipboardStatus::Busy, openError};

        ClipboardResult result = PutText(text);
        if (result.status == ClipboardStatus::Ok) {
            for (std::size_t i = 0; i < extras.size(); ++i) {
                if (!formats[i]) continue;
                if (extras[i].delayed) {
                    calls_.setData(formats[i], nullptr);  // a promise: rendered when asked for
                    continue;
                }
                Block block(calls_, extras[i].bytes.data(), extras[i].bytes.size());
                if (block.Filled()) block.HandTo(formats[i]);
            }
        }
        calls_.close();
        return result;
    }

    bool Render(unsigned format, const std::vector<unsigned char>& bytes) override {
        // Inside WM_RENDERFORMAT the reader has the clipboard open: no OpenClipboard here.
        Block block(calls_, bytes.data(), bytes.size());
        return block.Filled() && block.HandTo(format);
    }

    void RenderAll(WindowHandle owner, const std::vector<ClipboardExtra>& promised) override {
        const HWND window = reinterpret_cast<HWND>(owner);
        if (!calls_.open(window)) return;
        // Another program may have emptied the clipboard since: then nothing is ours to set.
        if (calls_.getOwner() == window)
            for (const ClipboardExtra& extra : promised)
                if (extra.format) Render(extra.format, extra.bytes);
        calls_.close();
    }

    WindowHandle OpenWindow() override { return reinterpret_cast<WindowHandle>(calls_.getOpenWindow()); }

private:
    ClipboardResult PutText(const std::string& text) {
        Block block(calls_, text.c_str(), text.size() + 1);
        if (!block.Filled()) return {ClipboardStatus::Failed, block.Error()};
        if (!calls_.empty()) return {ClipboardStatus::Failed, ::GetLastError()};
        if (!block.HandTo(CF_TEXT)) return {ClipboardStatus::Failed, block.Error()};
        return {};
    }

    ClipboardCalls calls_;
    Clock* clock_;
    std::unique_ptr<Clock> ownClock_;
};

}  // namespace

std::unique_ptr<Clipboard> MakeWin32Clipboard(const ClipboardCalls& calls, Clock* clock) {
    return std::make_unique<Win32Clipboard>(calls, clock);
}

std::unique_ptr<Clipboard> MakeWin32Clipboard(Clock* clock) { return MakeWin32Clipboard(ClipboardCalls{}, clock); }

}  // namespace cv2
