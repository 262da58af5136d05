// The clipboard through OpenClipboard and global memory blocks. The order of the calls is
// the one programs that watch the clipboard have always seen from us: the formats are
// registered before the clipboard is opened, so that it is held no longer than needed, and
// each block is filled before EmptyClipboard and unlocked after SetClipboardData.
#include <windows.h>

#include <cstring>

#include "base/Cp932.h"
#include "platform/Retry.h"
#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

// A global memory block holding a copy of some bytes, freed unless the clipboard took it.
class Block {
public:
    Block(const void* bytes, std::size_t size) {
        handle_ = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
        if (!handle_) {
            error_ = ::GetLastError();
            return;
        }
        void* p = ::GlobalLock(handle_);
        if (!p) {
            error_ = ::GetLastError();
            ::GlobalFree(handle_);
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
        if (handle_ && !owned_) ::GlobalFree(handle_);
    }

    bool Filled() const { return handle_ != nullptr; }
    DWORD Error() const { return error_; }

    bool HandTo(UINT format) {
        if (!::SetClipboardData(format, handle_)) {
            error_ = ::GetLastError();
            return false;
        }
        owned_ = true;
        Unlock();
        return true;
    }

private:
    void Unlock() {
        if (locked_) ::GlobalUnlock(handle_);
        locked_ = false;
    }

    HGLOBAL handle_ = nullptr;
    DWORD error_ = NO_ERROR;
    bool locked_ = false;
    bool owned_ = false;
};

class Win32Clipboard : public Clipboard {
public:
    ClipboardResult WriteText(WindowHandle owner, const std::string& text,
                              const std::vector<ClipboardExtra>& extras) override {
        std::vector<UINT> formats;
        formats.reserve(extras.size());
        for (const ClipboardExtra& extra : extras) {
            UINT format = extra.format;
            if (!format) format = ::RegisterClipboardFormatW(FromCp932(extra.registeredName).c_str());
            formats.push_back(format);
        }

        bool opened = RetryForMs(
            kClipboardRetryMs, kClipboardRetryStepMs,
            [&] { return ::OpenClipboard(reinterpret_cast<HWND>(owner)) != 0; }, [] { return ::GetTickCount64(); },
            [](int ms) { ::Sleep(static_cast<DWORD>(ms)); });
        if (!opened) return {ClipboardStatus::Busy, ::GetLastError()};

        ClipboardResult result = PutText(text);
        if (result.status == ClipboardStatus::Ok) {
            for (std::size_t i = 0; i < extras.size(); ++i) {
                if (!formats[i]) continue;
                Block block(extras[i].bytes.data(), extras[i].bytes.size());
                if (block.Filled()) block.HandTo(formats[i]);
            }
        }
        ::CloseClipboard();
        return result;
    }

private:
    static ClipboardResult PutText(const std::string& text) {
        Block block(text.c_str(), text.size() + 1);
        if (!block.Filled()) return {ClipboardStatus::Failed, block.Error()};
        if (!::EmptyClipboard()) return {ClipboardStatus::Failed, ::GetLastError()};
        if (!block.HandTo(CF_TEXT)) return {ClipboardStatus::Failed, block.Error()};
        return {};
    }
};

}  // namespace

std::unique_ptr<Clipboard> MakeWin32Clipboard() { return std::make_unique<Win32Clipboard>(); }

}  // namespace cv2
