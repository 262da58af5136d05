// The fakes are header-only; compiling them here keeps them building even before a test
// uses each one.
#include "platform/fakes/CallLog.h"
#include "platform/fakes/FakeClipboard.h"
#include "platform/fakes/FakeClock.h"
#include "platform/fakes/FakeDesktop.h"
#include "platform/fakes/FakeFileSystem.h"
#include "platform/fakes/FakeGlobalHotKeys.h"
#include "platform/fakes/FakeKeyInput.h"
#include "platform/fakes/FakeLocale.h"
#include "platform/fakes/FakeMutex.h"
#include "platform/fakes/FakeShell.h"
