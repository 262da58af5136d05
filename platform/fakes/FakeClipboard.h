#pragma once
// A clipboard with its memory blocks: who holds it, what each block holds, which blocks
// were freed, and failure switches for every step. Calls are recorded in order.
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/fakes/CallLog.h"

namespace cv2::fakes {

class FakeClipboard : public Clipboard {
public:
    explicit FakeClipboard(CallLog& log) : log_(log) {}

    // Failure switches.
    int openFailures = 0;  // the next this many Open calls fail
    bool failAlloc = false, failLock = false, failEmpty = false, failSetData = false;
    int allocsLeft = -1;                    // >= 0: Alloc fails once this many went through
    std::set<unsigned> failSetDataFormats;  // SetData fails for these formats

    bool isOpen = false;
    WindowHandle openOwner = 0;
    std::map<unsigned, std::vector<char>> data;  // what the clipboard holds, by format
    std::map<MemoryHandle, std::vector<char>> blocks;
    std::set<MemoryHandle> locked, freed, owned;  // owned: handed to the clipboard
    std::map<std::string, unsigned> registered;
    std::uint64_t now = 0;

    bool Open(WindowHandle owner) override {
        log_.Add("OpenClipboard");
        if (openFailures > 0) {
            --openFailures;
            return false;
        }
        isOpen = true;
        openOwner = owner;
        return true;
    }
    bool Empty() override {
        log_.Add("EmptyClipboard");
        if (failEmpty || !isOpen) return false;
        data.clear();
        return true;
    }
    bool SetData(unsigned format, MemoryHandle block) override {
        log_.Add("SetClipboardData(" + std::to_string(format) + ")");
        if (failSetData || failSetDataFormats.count(format) || !isOpen || !blocks.count(block)) return false;
        data[format] = blocks[block];
        owned.insert(block);
        return true;
    }
    bool Close() override {
        log_.Add("CloseClipboard");
        bool was = isOpen;
        isOpen = false;
        return was;
    }
    unsigned RegisterFormat(const std::string& name) override {
        log_.Add("RegisterClipboardFormat(" + name + ")");
        auto it = registered.find(name);
        if (it != registered.end()) return it->second;
        unsigned id = 0xC000 + static_cast<unsigned>(registered.size());
        registered[name] = id;
        return id;
    }
    MemoryHandle Alloc(unsigned flags, std::size_t bytes) override {
        char buf[64];
        std::snprintf(buf, sizeof buf, "GlobalAlloc(0x%X, %zu)", flags, bytes);
        log_.Add(buf);
        if (failAlloc || allocsLeft == 0) return 0;
        if (allocsLeft > 0) --allocsLeft;
        MemoryHandle h = next_++;
        blocks[h].assign(bytes, '\xCD');
        return h;
    }
    void* Lock(MemoryHandle block) override {
        log_.Add("GlobalLock");
        if (failLock || !blocks.count(block)) return nullptr;
        locked.insert(block);
        return blocks[block].data();
    }
    bool Unlock(MemoryHandle block) override {
        log_.Add("GlobalUnlock");
        return locked.erase(block) > 0;
    }
    void Free(MemoryHandle block) override {
        log_.Add("GlobalFree");
        freed.insert(block);
    }
    std::uint64_t TickCount() override { return now; }
    void Pause(int milliseconds) override { now += static_cast<std::uint64_t>(milliseconds); }

    // What the clipboard holds as text (CF_TEXT up to its zero byte).
    std::string Text() const {
        auto it = data.find(kCfText);
        if (it == data.end()) return {};
        std::string s(it->second.begin(), it->second.end());
        return s.substr(0, s.find('\0'));
    }

private:
    CallLog& log_;
    MemoryHandle next_ = 0x1000;
};

}  // namespace cv2::fakes
