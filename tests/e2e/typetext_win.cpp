// Types into whatever window has the focus, for the scripts that fill dialogs:
//   typetext <done-file> text...   each text as Unicode keystrokes, then Enter
// An empty text is Enter alone; a text "@keys:down=36,right=1,up=2" presses those keys that
// many times instead, without Enter. The done-file is written when all is typed (the program
// may run detached from the script, inside a Wine desktop). Unicode keystrokes reach the focused control as its
// characters whatever the X keyboard map holds, which xdotool's typing of kanji under load
// does not always manage.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

void Send(std::vector<INPUT>& inputs) {
    if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    inputs.clear();
}

INPUT Key(WORD vk, WORD scan, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = scan;
    in.ki.dwFlags = flags;
    return in;
}

// "@keys:name=count,...": each key pressed and released count times.
bool PressKeys(const std::wstring& spec) {
    const std::wstring prefix = L"@keys:";
    if (spec.rfind(prefix, 0) != 0) return false;
    std::wstring rest = spec.substr(prefix.size());
    while (!rest.empty()) {
        std::size_t comma = rest.find(L',');
        std::wstring item = rest.substr(0, comma);
        rest = comma == std::wstring::npos ? L"" : rest.substr(comma + 1);
        std::size_t eq = item.find(L'=');
        std::wstring name = item.substr(0, eq);
        int count = eq == std::wstring::npos ? 1 : _wtoi(item.c_str() + eq + 1);
        WORD vk = name == L"down"    ? VK_DOWN
                  : name == L"up"    ? VK_UP
                  : name == L"right" ? VK_RIGHT
                  : name == L"left"  ? VK_LEFT
                  : name == L"tab"   ? VK_TAB
                                     : VK_RETURN;
        for (int n = 0; n < count; ++n) {
            std::vector<INPUT> inputs{Key(vk, 0, 0), Key(vk, 0, KEYEVENTF_KEYUP)};
            Send(inputs);
            Sleep(150);
        }
        Sleep(150);
    }
    return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<INPUT> inputs;
    if (argc < 2) return 2;
    for (int i = 2; i < argc; ++i) {
        if (PressKeys(argv[i])) continue;
        for (const wchar_t* c = argv[i]; *c; ++c) {
            inputs.push_back(Key(0, *c, KEYEVENTF_UNICODE));
            inputs.push_back(Key(0, *c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
            Send(inputs);
            Sleep(30);
        }
        Sleep(150);
        inputs.push_back(Key(VK_RETURN, 0, 0));
        inputs.push_back(Key(VK_RETURN, 0, KEYEVENTF_KEYUP));
        Send(inputs);
        // The dialog moves the focus to the next field on Enter.
        Sleep(350);
    }
    HANDLE done = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (done != INVALID_HANDLE_VALUE) CloseHandle(done);
    LocalFree(argv);
    return 0;
}
