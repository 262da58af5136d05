// Input-method switching per field. "Off" takes the input context away from the field
// while it has the focus, so the IME cannot be opened there at all, and gives the default
// context back when it leaves.
#include <windows.h>
#include <imm.h>

#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

class Win32Ime : public Ime {
public:
    void Enter(WindowHandle field, ImeMode mode) override {
        HWND hwnd = reinterpret_cast<HWND>(field);
        switch (mode) {
            case ImeMode::Off:
                ImmAssociateContextEx(hwnd, nullptr, 0);
                break;
            case ImeMode::Hiragana:
            case ImeMode::Katakana: {
                HIMC imc = ImmGetContext(hwnd);
                if (!imc) return;
                ImmSetOpenStatus(imc, TRUE);
                DWORD conversion = 0, sentence = 0;
                if (ImmGetConversionStatus(imc, &conversion, &sentence))
                    ImmSetConversionStatus(imc, ImeConversionFor(mode, conversion), sentence);
                ImmReleaseContext(hwnd, imc);
                break;
            }
            case ImeMode::AsIs:
                break;
        }
    }
    void Leave(WindowHandle field, ImeMode mode) override {
        if (mode == ImeMode::Off) ImmAssociateContextEx(reinterpret_cast<HWND>(field), nullptr, IACE_DEFAULT);
    }
};

}  // namespace

std::unique_ptr<Ime> MakeWin32Ime() { return std::make_unique<Win32Ime>(); }

}  // namespace cv2
