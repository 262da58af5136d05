#pragma once
// Turning what the user asked for into a plan: pure, so that every gesture's plan can be
// read as a table. A single send, a group of items, the follow-up key on its own and a
// hotkey differ only in the requests they make here.
#include <string>
#include <vector>

#include "base/SendChoice.h"
#include "send/Plan.h"
#include "send/SendConversion.h"

namespace cv2 {

// The window's settings that every send of the moment shares.
struct SendSettings {
    WindowHandle owner = 0;      // our main window
    bool pasteMode = true;       // paste into the target; off: the clipboard only
    WindowHandle target = 0;     // the tracked target; 0 when none was seen
    bool specialTarget = false;  // the target is the diary, which takes WM_PASTE
    int waitMs = 0;              // the wait time; a negative one is no pause
    int followUp = 0;            // the window's follow-up key: 0 none, 1 Tab, 2 Enter
    SendConversion conversion;
};

// One item to send, with its own choices.
struct ItemSend {
    std::string text;  // as the tree holds it; converted here
    SendWay way = SendWay::Default;
    FollowUpChoice followUp = FollowUpChoice::Default;
};

// The text converted for sending (mode, hyphens).
std::string TextToSend(const SendSettings& settings, const std::string& itemText);

// One item, by a click or a double-click.
Plan PlanSend(const SendSettings& settings, const ItemSend& item);
// The follow-up key on its own (the tool button and its menu entry). Empty when there is
// nothing to press.
Plan PlanFollowUpOnly(const SendSettings& settings);
// The items one after the other into one form, each with its follow-up key: the target is
// brought forward once; before each later item the group stops when the target has lost the
// front or Esc is down, and waits until the text before it was taken. A group started with
// Shift held (`heldKeys`) first gives the user up to kHotKeyReleaseMs to let go: a Shift
// held on would turn each Tab into Shift+Tab, once Windows' key repeat presses it again.
Plan PlanGroup(const SendSettings& settings, const std::vector<ItemSend>& items,
               const std::vector<std::uint16_t>& heldKeys = {});

// A step through a form from the keyboard, into the window in front (`settings.target`),
// which is not activated: the item's text with its follow-up key, the follow-up key alone
// (skip a field), or Shift+Tab (back a field). First the keys of the hotkey that asked for
// it are given time to be let go (`heldKeys`, at most kHotKeyReleaseMs), then whatever is
// still held is released, Ctrl included, so that none of them joins the paste or the Tab.
enum class FormStep { Send, Skip, Back };
inline constexpr int kHotKeyReleaseMs = 1000;
Plan PlanFormStep(const SendSettings& settings, FormStep step, const ItemSend& item,
                  const std::vector<std::uint16_t>& heldKeys);

}  // namespace cv2
