#pragma once
// Win32 forms of the program's pictures (CV2MainFrm/Images.h).
//
// Usage: CreateMainImageList() once for the tree, the toolbars and the menus' owner-drawn
// fallback; CreateImageBitmap(i) for a menu entry's MENUITEMINFOW::hbmpItem; the caller
// owns and destroys every handle these return (ImageList_Destroy, DeleteObject, DestroyIcon).
#include <windows.h>
#include <commctrl.h>

#include "CV2MainFrm/Images.h"

namespace cv2 {

// The resource id of the program's icon in the executable (app/Corvell2.rc).
inline constexpr int kMainIconId = 1;

// The shared image list of 44 images of 18 x 18 pixels: 32-bit colour with alpha, plus a
// mask so that masked and disabled drawing work too. nullptr when the system refuses.
HIMAGELIST CreateMainImageList();

// A 32-bit top-down DIB section with premultiplied alpha, as menus expect for hbmpItem.
HBITMAP CreatePictureBitmap(const Picture& picture);
HBITMAP CreateImageBitmap(int index);  // one of MainImages(); nullptr for a bad index

// An icon with alpha and mask.
HICON CreatePictureIcon(const Picture& picture);
HICON CreateImageIcon(int index);  // one of MainImages(); nullptr for a bad index

}  // namespace cv2
