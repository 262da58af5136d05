// The three dialogs on a move to a monitor of another resolution while they are open: every
// control, its font and its pictures at the new resolution, measured through the controls'
// own messages; and back again.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "About/About.h"
#include "About/AboutBox_win.h"
#include "HotKey/HotKeyFrm_win.h"
#include "NewFrm/NewInputFrm_win.h"
#include "Option/OptionFrm_win.h"
#include "platform/Win32Ports.h"
#include "platform/fakes/FakeShell.h"
#include "tests/support/MessageLoop_win.h"
#include "wingui/Dpi.h"
#include "wingui/Dpi_win.h"

namespace cv2 {
namespace {

using testing::DriveModal;
using testing::ExpectFinished;

struct Part {
    int id;
    RECT place;      // in the client area
    int fontHeight;  // character height; 0 without a font
    int imageSide;   // the picture a static or button shows; 0 without one
};

struct Layout {
    int clientWidth = 0;
    int clientHeight = 0;
    std::vector<Part> parts;  // the dialog's children in z-order
};

int FontHeight(HWND control) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    if (!font || !GetObjectW(font, sizeof lf, &lf)) return 0;
    return lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
}

int BitmapSide(HANDLE image) {
    BITMAP bm{};
    return image && GetObjectW(image, sizeof bm, &bm) ? static_cast<int>(bm.bmWidth) : 0;
}

int ImageSide(HWND control) {
    wchar_t cls[32] = {};
    GetClassNameW(control, cls, 32);
    if (lstrcmpiW(cls, L"Static") == 0)
        return BitmapSide(reinterpret_cast<HANDLE>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0)));
    if (lstrcmpiW(cls, L"Button") != 0) return 0;
    if (int side = BitmapSide(reinterpret_cast<HANDLE>(SendMessageW(control, BM_GETIMAGE, IMAGE_BITMAP, 0))))
        return side;
    BUTTON_IMAGELIST bil{};
    if (!SendMessageW(control, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil)) || !bil.himl) return 0;
    int cx = 0, cy = 0;
    ImageList_GetIconSize(bil.himl, &cx, &cy);
    return cx;
}

Layout Measure(HWND dlg) {
    Layout layout;
    RECT client{};
    GetClientRect(dlg, &client);
    layout.clientWidth = client.right;
    layout.clientHeight = client.bottom;
    for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        Part part{GetDlgCtrlID(c), {}, FontHeight(c), ImageSide(c)};
        GetWindowRect(c, &part.place);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&part.place), 2);
        layout.parts.push_back(part);
    }
    return layout;
}

std::string Describe(const Layout& l) {
    std::string text = "client " + std::to_string(l.clientWidth) + "x" + std::to_string(l.clientHeight);
    for (const Part& p : l.parts) {
        char line[160];
        std::snprintf(line, sizeof line, "\n%d: %ld,%ld-%ld,%ld font %d image %d", p.id, p.place.left, p.place.top,
                      p.place.right, p.place.bottom, p.fontHeight, p.imageSide);
        text += line;
    }
    return text;
}

// Each size at `to` is the one at `from` scaled, give or take the pixel of rounding.
void ExpectScaled(const Layout& at, const Layout& large, int from, int to) {
    SCOPED_TRACE(Describe(at) + "\n----\n" + Describe(large));
    auto expect = [&](const char* what, int id, int a, int b) {
        EXPECT_NEAR(b, RescaleBetweenDpi(a, from, to), 1) << what << " of " << id << " at " << from << ": " << a;
    };
    expect("client width", 0, at.clientWidth, large.clientWidth);
    expect("client height", 0, at.clientHeight, large.clientHeight);
    ASSERT_EQ(at.parts.size(), large.parts.size());
    for (std::size_t i = 0; i < at.parts.size(); ++i) {
        const Part& a = at.parts[i];
        const Part& b = large.parts[i];
        EXPECT_EQ(a.id, b.id);
        expect("left", a.id, a.place.left, b.place.left);
        expect("top", a.id, a.place.top, b.place.top);
        expect("width", a.id, a.place.right - a.place.left, b.place.right - b.place.left);
        expect("height", a.id, a.place.bottom - a.place.top, b.place.bottom - b.place.top);
        expect("font", a.id, a.fontHeight, b.fontHeight);
        expect("picture", a.id, a.imageSide, b.imageSide);
    }
}

// What Windows sends when the dialog reaches a monitor of resolution `dpi`; the place it
// suggests is where the dialog is, at the new scale.
void MoveToDpi(HWND dlg, int from, int to) {
    RECT r{};
    GetWindowRect(dlg, &r);
    RECT suggested{r.left, r.top, r.left + RescaleBetweenDpi(r.right - r.left, from, to),
                   r.top + RescaleBetweenDpi(r.bottom - r.top, from, to)};
    SendMessageW(dlg, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
}

struct Walk {
    int dpi = 0;
    int large = 0;
    Layout before, after, back;
    RECT placeAfter{}, suggestedTopLeft{};
};

// One and a half times the dialog's resolution, then back to it.
void WalkResolutions(HWND dlg, Walk& w) {
    w.dpi = DpiOfWindow(dlg);
    w.large = w.dpi * 3 / 2;
    w.before = Measure(dlg);
    RECT start{};
    GetWindowRect(dlg, &start);
    MoveToDpi(dlg, w.dpi, w.large);
    w.after = Measure(dlg);
    GetWindowRect(dlg, &w.placeAfter);
    w.suggestedTopLeft = start;
    MoveToDpi(dlg, w.large, w.dpi);
    w.back = Measure(dlg);
}

void ExpectWalked(const Walk& w) {
    ASSERT_GT(w.dpi, 0);
    ASSERT_FALSE(w.before.parts.empty());
    ExpectScaled(w.before, w.after, w.dpi, w.large);
    // The dialog stays where Windows put it.
    EXPECT_EQ(w.placeAfter.left, w.suggestedTopLeft.left);
    EXPECT_EQ(w.placeAfter.top, w.suggestedTopLeft.top);
    // Every size is scaled from the design, not from the last scale: back is exactly the start.
    EXPECT_EQ(Describe(w.back), Describe(w.before));
}

TEST(DialogDpi, TheWaitDialogLaysItselfOutAgain) {
    std::string text = "300";
    Walk walk;
    std::wstring typed;
    ExpectFinished(DriveModal([&] { ShowOptionFrm(nullptr, text); }, {[&](HWND dlg) {
                                  WalkResolutions(dlg, walk);
                                  // The field still filters and takes Enter.
                                  HWND edit = GetDlgItem(dlg, kOptionNumEdit1Id);
                                  SendMessageW(edit, EM_SETSEL, 0, -1);
                                  for (wchar_t c : std::wstring(L"a42")) SendMessageW(edit, WM_CHAR, c, 1);
                                  PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
                              }}));
    ExpectWalked(walk);
    EXPECT_EQ(text, "42");
}

TEST(DialogDpi, TheHotKeyDialogLaysItselfOutAgain) {
    HotKeySet keys = DefaultHotKeys();
    Walk walk;
    ExpectFinished(DriveModal([&] { ShowHotKeyFrm(nullptr, keys); }, {[&](HWND dlg) {
                                  WalkResolutions(dlg, walk);
                                  PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
                              }}));
    ExpectWalked(walk);
}

TEST(DialogDpi, TheAboutBoxLaysItselfOutAgainAndItsLinksMoveWithIt) {
    fakes::FakeShell shell;
    Walk walk;
    ExpectFinished(DriveModal([&] { ShowAboutBox(nullptr, shell); }, {[&](HWND dlg) {
                                  WalkResolutions(dlg, walk);
                                  MoveToDpi(dlg, walk.dpi, walk.large);
                                  // A point on the home page's link only at the large scale:
                                  // its text ends at the labels' common right edge (8 + 263).
                                  const int x = ScaleForDpi(8 + 263 - 3, walk.large);
                                  const int y = ScaleForDpi(8 + 80 + 6, walk.large);
                                  SendMessageW(dlg, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
                                  SendMessageW(dlg, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
                              }}));
    ExpectWalked(walk);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], kAboutHomePage);
}

TEST(DialogDpi, TheWizardLaysItselfOutAgainOnEveryPage) {
    WizardInput input;
    Walk walk;
    Layout secondPage, secondPageLarge;
    std::unique_ptr<Locale> locale = MakeWin32Locale();
    std::unique_ptr<Ime> ime = MakeWin32Ime();
    ExpectFinished(DriveModal([&] { ShowNewInputFrm(nullptr, input, *locale, *ime); },
                              {[&](HWND dlg) { WalkResolutions(dlg, walk); },
                               [&](HWND dlg) {
                                   // The hidden pages were laid out too.
                                   SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(kIdNextBtn, BN_CLICKED),
                                                reinterpret_cast<LPARAM>(GetDlgItem(dlg, kIdNextBtn)));
                                   secondPage = Measure(dlg);
                                   MoveToDpi(dlg, walk.dpi, walk.large);
                                   secondPageLarge = Measure(dlg);
                                   PostMessageW(dlg, WM_CLOSE, 0, 0);
                               }}));
    ExpectWalked(walk);
    ExpectScaled(secondPage, secondPageLarge, walk.dpi, walk.large);
}

}  // namespace
}  // namespace cv2
