#pragma once
// A paste that reads the clipboard late, as a busy web page does: the browser's window takes
// the Ctrl+V at once, but the page reads the clipboard only when it gets to it, in another
// thread. Shared by the end-to-end stand-ins of such a target.
//
//   LateReader reader(window, delayMs);   // window gets kTextRead for each read
//   reader.Queue(tag);                    // on a paste; tag says where the text goes
//   case LateReader::kTextRead:           // wParam: the tag; lParam: a LateReader::Read*,
//       std::unique_ptr<LateReader::Read> read(LateReader::Take(lParam));
//
// Each read happens delayMs after its paste, and not before the one queued before it, so that
// quick pastes read whatever the clipboard holds at their own moments. The reading thread
// opens the clipboard with a window of its own, as a browser's page does, so a program that
// renders its text late can see the reader's process in GetOpenClipboardWindow().
#include <windows.h>

#include <deque>
#include <mutex>
#include <string>

namespace cv2::e2e {

class LateReader {
public:
    static constexpr UINT kTextRead = WM_APP + 41;

    LateReader(HWND notify, DWORD delayMs)
        : notify_(notify), delayMs_(delayMs), wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
        thread_ = CreateThread(nullptr, 0, &LateReader::Run, this, 0, nullptr);
    }
    ~LateReader() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        SetEvent(wake_);
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
        CloseHandle(wake_);
    }
    LateReader(const LateReader&) = delete;
    LateReader& operator=(const LateReader&) = delete;

    void Queue(WPARAM tag) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            const ULONGLONG now = GetTickCount64();
            queue_.push_back({tag, now, now + delayMs_});
        }
        SetEvent(wake_);
    }

    struct Read {
        bool ok = false;  // false: the clipboard could not be opened or held no text
        std::wstring text;
        ULONGLONG afterMs = 0;  // from the paste to the read
    };
    static Read* Take(LPARAM lParam) { return reinterpret_cast<Read*>(lParam); }

private:
    struct Request {
        WPARAM tag;
        ULONGLONG queued;
        ULONGLONG due;
    };

    static DWORD WINAPI Run(void* self) {
        static_cast<LateReader*>(self)->Loop();
        return 0;
    }

    void Loop() {
        // Message-only: the page's clipboard window is never seen on the desktop.
        HWND own = CreateWindowExW(0, L"STATIC", L"LateReader", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        for (;;) {
            DWORD timeout = INFINITE;
            Request next{};
            bool due = false;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (quit_) break;
                if (!queue_.empty()) {
                    next = queue_.front();
                    const ULONGLONG now = GetTickCount64();
                    due = now >= next.due;
                    if (due)
                        queue_.pop_front();
                    else
                        timeout = static_cast<DWORD>(next.due - now);
                }
            }
            if (due) {
                auto* read = new Read(ReadClipboard(own));
                read->afterMs = GetTickCount64() - next.queued;
                if (!PostMessageW(notify_, kTextRead, next.tag, reinterpret_cast<LPARAM>(read))) delete read;
                continue;
            }
            // Messages sent to the reader's window are answered while it waits.
            MsgWaitForMultipleObjects(1, &wake_, FALSE, timeout, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        }
        DestroyWindow(own);
    }

    // The clipboard may be held for a moment by its writer; a page tries a few times.
    static Read ReadClipboard(HWND own) {
        Read read;
        bool open = false;
        for (int attempt = 0; attempt < 10 && !(open = OpenClipboard(own)); ++attempt) Sleep(5);
        if (!open) return read;
        // A program that renders its text late is asked for it here, while we hold it open.
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
                // The block may lack its terminating zero; never read past its size.
                const SIZE_T units = GlobalSize(data) / sizeof(wchar_t);
                SIZE_T n = 0;
                while (n < units && chars[n]) ++n;
                read.text.assign(chars, n);
                read.ok = true;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        return read;
    }

    HWND notify_;
    DWORD delayMs_;
    HANDLE wake_;
    HANDLE thread_ = nullptr;
    std::mutex mutex_;
    std::deque<Request> queue_;
    bool quit_ = false;
};

}  // namespace cv2::e2e
