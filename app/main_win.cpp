// Program entry: the single-instance guard, the main window and the message loop.
#include <windows.h>

#include "CV2MainFrm/CV2MainFrm_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    return cv2::RunMainWindow(instance, showCommand);
}
