#pragma once
// A send as data: the steps one gesture asks for, in order. Plans are built by the planner
// (Planner.h) and carried out by the engine (SendEngine.h); they hold copies of the texts,
// never a reference into the tree, and describe themselves one line a step, so that tests
// compare plans as tables.
#include <string>
#include <vector>

#include "base/Types.h"
#include "platform/KeyInput.h"

namespace cv2 {

enum class StepKind {
    AwaitTaken,   // until the text pasted last has been read by its target, or its budget is over
    Offer,        // `text` onto the clipboard, its Unicode form rendered when a reader asks
    Activate,     // `window` to the front and ready for keys; it must exist
    Pause,        // `ms`: the user's wait time
    AwaitKeysUp,  // until none of `keys` is down any more, at most `ms`
    ReleaseHeld,  // lets go of the modifiers the user holds, Ctrl too `withCtrl`
    CloseIme,     // closes the input method of `window`'s focused control, when open
    Keys,         // `keys` in one batch into `window`; `paste` when they paste the offered text
    DiaryPaste,   // WM_PASTE to the diary's edit control inside `window`
    ReopenIme,    // opens again what CloseIme closed, once the keys have been handled
    Checkpoint,   // a group goes on only while `window` is in front and the user lets it
    Progress,     // `text` to show while the plan runs
    Refocus,      // `window` to the front once more
};

struct Step {
    StepKind kind = StepKind::Pause;
    WindowHandle window = 0;
    std::string text;
    std::vector<KeyEvent> keys;
    int ms = 0;
    bool withCtrl = false;
    bool paste = false;

    // "offer 'abc'", "activate 500", "keys Ctrl+V Tab", ...
    std::string Describe() const;
};

struct Plan {
    WindowHandle owner = 0;  // our window, on whose behalf the clipboard is written
    std::vector<Step> steps;

    std::vector<std::string> Describe() const;
};

}  // namespace cv2
