#pragma once
// Every fake port, sharing one call log, bundled as the Platform that TCV2Frm and the
// Win32 window take. Test fixtures derive from it to have the fakes as members.
#include "CV2MainFrm/CV2MainFrm.h"
#include "platform/fakes/CallLog.h"
#include "platform/fakes/FakeClipboard.h"
#include "platform/fakes/FakeClock.h"
#include "platform/fakes/FakeDesktop.h"
#include "platform/fakes/FakeFileSystem.h"
#include "platform/fakes/FakeGlobalHotKeys.h"
#include "platform/fakes/FakeKeyInput.h"
#include "platform/fakes/FakeLocale.h"
#include "platform/fakes/FakeShell.h"

namespace cv2::fakes {

struct FakePlatform {
    CallLog log;
    FakeClock clock;
    FakeDesktop desktop{log, &clock};
    FakeKeyInput keys{log};
    FakeClipboard clipboard{log, &clock};
    FakeFileSystem files;
    FakeShell shell;
    FakeLocale locale;
    FakeGlobalHotKeys hotKeys;
    Platform platform{desktop, keys, clipboard, files, shell, locale, clock, hotKeys};
};

}  // namespace cv2::fakes
