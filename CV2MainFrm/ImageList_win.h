#pragma once
// Win32 forms of the program's pictures (CV2MainFrm/Images.h).
//
// Usage: CreateMainImageList() once for the tree, the toolbars and the menus; the caller
// owns and destroys every handle these functions return (ImageList_Destroy, DeleteObject,
// DestroyIcon).
// Menu entries: SetMenuItemImage(menu, id, FALSE, index) for each entry, and in the owner
// window's procedure
//     case WM_MEASUREITEM: if (MeasureMenuImage(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
//     case WM_DRAWITEM: if (DrawMenuImage(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam), list)) return TRUE;
// (Wine's menus draw a 32-bit hbmpItem without its alpha, so transparent pixels come out
// black; the owner-drawn image looks the same on both.)
#include <windows.h>
#include <commctrl.h>

#include "CV2MainFrm/Images.h"

namespace cv2 {

// The resource id of the program's icon in the executable (app/Corvell2.rc).
inline constexpr int kMainIconId = 1;

// The shared image list of 44 images of `side` x `side` pixels (18 as designed, more on a
// screen of higher resolution; see MainImagesAt): 32-bit colour with alpha, plus a mask so
// that masked and disabled drawing work too. nullptr when the system refuses.
HIMAGELIST CreateMainImageList(int side = kImageSize);

// A 32-bit top-down DIB section with premultiplied alpha, as menus expect for hbmpItem.
HBITMAP CreatePictureBitmap(const Picture& picture);
HBITMAP CreateImageBitmap(int index);  // one of MainImages(); nullptr for a bad index

// Gives a menu entry an image of the shared list, drawn by the owner window through
// HBMMENU_CALLBACK; the entry's item data then holds the image index (tagged).
bool SetMenuItemImage(HMENU menu, UINT item, bool byPosition, int index);

// The owner window's answers for such entries; false for anything else (not handled).
bool MeasureMenuImage(MEASUREITEMSTRUCT& item);
bool DrawMenuImage(const DRAWITEMSTRUCT& item, HIMAGELIST list);

// An icon with alpha and mask.
HICON CreatePictureIcon(const Picture& picture);
HICON CreateImageIcon(int index);  // one of MainImages(); nullptr for a bad index

}  // namespace cv2
