#pragma once
// Clipboard calls that go to the system, recorded in order, each of which a test can make
// fail with an error code of its choice. One recording at a time (the calls are plain
// function pointers, so the state is global).
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "platform/Clipboard_win.h"

namespace cv2::testing {

struct ClipboardRecording {
    std::vector<std::string> calls;
    std::string failing;            // "alloc", "lock", "empty" or "set"
    std::set<UINT> failingFormats;  // with "set": only these formats (all when empty)
    int allocsLeft = -1;            // >= 0: GlobalAlloc fails once this many went through
    std::set<HGLOBAL> allocated, owned, freed;
    int locks = 0;

    static inline ClipboardRecording* current = nullptr;
    static constexpr DWORD kError = 0x1234;

    ClipboardRecording() { current = this; }
    ~ClipboardRecording() { current = nullptr; }
    ClipboardRecording(const ClipboardRecording&) = delete;
    ClipboardRecording& operator=(const ClipboardRecording&) = delete;

    static ClipboardCalls Calls() {
        ClipboardCalls c;
        c.registerFormat = [](LPCWSTR name) -> UINT {
            current->calls.push_back("RegisterClipboardFormat");
            return ::RegisterClipboardFormatW(name);
        };
        c.open = [](HWND owner) -> BOOL {
            current->calls.push_back("OpenClipboard");
            return ::OpenClipboard(owner);
        };
        c.empty = []() -> BOOL {
            current->calls.push_back("EmptyClipboard");
            if (current->failing == "empty") return Fail();
            return ::EmptyClipboard();
        };
        c.setData = [](UINT format, HANDLE block) -> HANDLE {
            current->calls.push_back("SetClipboardData(" + (format >= 0xC000 ? "registered" : std::to_string(format)) +
                                     ")");
            if (current->failing == "set" &&
                (current->failingFormats.empty() || current->failingFormats.count(format))) {
                Fail();
                return nullptr;
            }
            HANDLE r = ::SetClipboardData(format, block);
            if (r) current->owned.insert(block);
            return r;
        };
        c.close = []() -> BOOL {
            current->calls.push_back("CloseClipboard");
            return ::CloseClipboard();
        };
        c.alloc = [](UINT flags, SIZE_T bytes) -> HGLOBAL {
            char text[48];
            wsprintfA(text, "GlobalAlloc(0x%X, %u)", flags, static_cast<unsigned>(bytes));
            current->calls.push_back(text);
            if (current->failing == "alloc" || current->allocsLeft == 0) {
                Fail();
                return nullptr;
            }
            if (current->allocsLeft > 0) --current->allocsLeft;
            HGLOBAL h = ::GlobalAlloc(flags, bytes);
            // A handle freed before may come back: it is a new block.
            current->allocated.insert(h);
            current->owned.erase(h);
            current->freed.erase(h);
            return h;
        };
        c.lock = [](HGLOBAL block) -> LPVOID {
            current->calls.push_back("GlobalLock");
            if (current->failing == "lock") {
                Fail();
                return nullptr;
            }
            ++current->locks;
            return ::GlobalLock(block);
        };
        c.unlock = [](HGLOBAL block) -> BOOL {
            current->calls.push_back("GlobalUnlock");
            --current->locks;
            return ::GlobalUnlock(block);
        };
        c.free = [](HGLOBAL block) -> HGLOBAL {
            current->calls.push_back("GlobalFree");
            current->freed.insert(block);
            return ::GlobalFree(block);
        };
        return c;
    }

private:
    static BOOL Fail() {
        ::SetLastError(kError);
        return FALSE;
    }
};

}  // namespace cv2::testing
