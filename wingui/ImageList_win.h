#pragma once
// Win32 forms of the program's pictures (wingui/Images.h).
//
// Usage: CreateMainImageList() once for the tree, the toolbars and the menus; the caller
// owns and destroys every handle these functions return (ImageList_Destroy, DeleteObject,
// DestroyIcon).
#include <windows.h>
#include <commctrl.h>

#include "platform/Handle_win.h"
#include "wingui/Images.h"

namespace cv2 {

// The resource id of the program's icon in the executable (app/Corvell2.rc).
inline constexpr int kMainIconId = 1;

// The shared image list of kImageCount images of `side` x `side` pixels (18 as designed, more on a
// screen of higher resolution; see MainImagesAt): 32-bit colour with alpha, plus a mask so
// that masked and disabled drawing work too. nullptr when the system refuses.
HIMAGELIST CreateMainImageList(int side = kImageSize);

// A 32-bit top-down DIB section with premultiplied alpha, as menus expect for hbmpItem.
HBITMAP CreatePictureBitmap(const Picture& picture);

// An icon with alpha and mask.
HICON CreatePictureIcon(const Picture& picture);

// A cursor with alpha and mask, its hot spot at (hotX, hotY); destroyed with DestroyIcon.
HCURSOR CreatePictureCursor(const Picture& picture, int hotX, int hotY);

// Sets the glyph `which` (WizardGlyph) of `side` pixels beside a button's caption, `margin`
// pixels from its left edge, one image per button state (normal, hot, pressed, disabled,
// default, stylus hot) so that a disabled button shows it greyed. The button keeps using the
// list: the caller holds it until the button has another. Empty when the system refuses,
// and the button keeps the glyph it had.
UniqueImageList SetButtonGlyph(HWND button, int which, int side, int margin);

}  // namespace cv2
