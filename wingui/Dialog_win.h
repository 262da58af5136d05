#pragma once
// A thin base for the program's modal dialogs, which lay themselves out in pixels.
//
// The dialog is made from an empty in-memory template, so the dialog manager still does
// what users expect of a dialog (Enter presses the default button, Escape and the close box
// cancel, Tab moves between controls) while the controls are created in pixels, designed
// at 96 dpi and scaled to the dialog's resolution. The base finds its object through
// DWLP_USER (stored at WM_INITDIALOG, cleared at WM_NCDESTROY), keeps the dialog font (the
// program's UI font at kUiFontPixels), places the dialog, and lays every control it made
// out again when the dialog moves to a monitor of another resolution (WM_DPICHANGED). No
// exception leaves the dialog procedure: one that reaches the edge goes to the general
// error report, over the dialog.
//
// Usage:
//   class MyDialog : public DialogBase {
//       bool OnInit() override {
//           SetClientSize(251, 80, Placement::OverOwner);
//           AddControl(L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, {80, 48, 75, 25});
//           return true;  // the dialog manager focuses the first tab stop
//       }
//       INT_PTR HandleMessage(UINT msg, WPARAM w, LPARAM l) override { ... return FALSE; }
//       void OnDpiChanged() override { ... pictures at Scale(16) ... }
//   };
//   INT_PTR result = dialog.RunModal(owner, L"Caption");
#include <windows.h>

#include <string>
#include <vector>

#include "platform/Handle_win.h"

namespace cv2 {

// A control's place as designed: pixels at 96 dpi, relative to the client area.
struct DesignRect {
    int x, y, width, height;
};

enum class Placement {
    OverOwner,       // centred over the owner window
    OnOwnersScreen,  // centred on the work area of the owner's monitor (the main one without an owner)
};

// The system's default dialog style for the program's fixed-size dialogs.
inline constexpr DWORD kFixedDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// The dialog's window centred as `placement` says, kept inside that monitor's work area.
void PlaceWindow(HWND window, HWND owner, Placement placement);

// An empty dialog template: no controls, no menu, the standard dialog class, `caption`.
// The words are aligned as DialogBoxIndirect needs them.
std::vector<WORD> EmptyDialogTemplate(const wchar_t* caption, DWORD style = kFixedDialogStyle, DWORD exStyle = 0);

class DialogBase {
public:
    DialogBase() = default;
    virtual ~DialogBase() = default;
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;

    // Shows the dialog over `owner` until EndDialog; its result, or -1 when the dialog
    // could not be made. A dialog whose OnInit failed ends with IDCANCEL.
    INT_PTR RunModal(HWND owner, const wchar_t* caption, DWORD exStyle = 0);

    HWND Hwnd() const { return hwnd_; }
    // The resolution the dialog is laid out for.
    int Dpi() const { return dpi_; }

protected:
    // WM_INITDIALOG, with the resolution and the font known. True lets the dialog manager
    // focus the first tab stop; false when the dialog set the focus itself.
    virtual bool OnInit() = 0;
    // Every other message, as a dialog procedure answers (TRUE when handled).
    virtual INT_PTR HandleMessage(UINT, WPARAM, LPARAM) { return FALSE; }
    // The dialog moved to another resolution; the base has placed the controls and given
    // them the new font already. What the dialog made at the old one is made anew here.
    virtual void OnDpiChanged() {}
    // An error escaped a handler; the text is code page 932. Default: the general error
    // report over the dialog (one at a time).
    virtual void ReportException(const std::string& sjisMessage);

    // Designed pixels at the dialog's resolution.
    int Scale(int pixels) const;
    RECT Scale(const DesignRect& r) const;
    HFONT Font() const { return font_.get(); }

    // A child control at its designed place, with the dialog font unless `withFont` is
    // false; the base places it again at every change of resolution.
    HWND AddControl(const wchar_t* cls, const wchar_t* text, DWORD style, int id, DesignRect place, DWORD exStyle = 0,
                    bool withFont = true);
    // A control made elsewhere, placed and kept in place the same way.
    void AddPlaced(HWND control, DesignRect place, bool withFont = true);
    // The client area at its designed size, and the dialog placed.
    void SetClientSize(int width, int height, Placement placement);

private:
    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    void ApplyDpi(int dpi, const RECT& suggested);
    void SizeWindow(int left, int top);

    struct Placed {
        HWND control;
        DesignRect place;
        bool withFont;
    };

    HWND hwnd_ = nullptr;
    HWND owner_ = nullptr;
    int dpi_ = 96;
    UniqueFont font_;
    std::vector<Placed> placed_;
    int clientWidth_ = 0;  // designed
    int clientHeight_ = 0;
    bool reporting_ = false;
};

}  // namespace cv2
