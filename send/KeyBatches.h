#pragma once
// The key events of a send, as pure batches: each batch goes out in one SendInput call, so
// that neither the user's keys nor the keyboard's auto-repeat can come between its events.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/KeyInput.h"

namespace cv2 {

constexpr KeyEvent Press(std::uint16_t key) { return {key, false, false}; }
constexpr KeyEvent Release(std::uint16_t key) { return {key, true, false}; }

// Ctrl+V, with Ctrl released before V as a user's fingers would leave the keys.
std::vector<KeyEvent> PasteChord();
// One key pressed and released; with `shift`, inside Shift (Shift+Tab goes back a field).
std::vector<KeyEvent> KeyStroke(std::uint16_t key, bool shift = false);
// The keystrokes that type the code page 932 text: for each UTF-16 unit a press and a
// release, in order, whatever the keyboard layout. Empty for an empty text.
std::vector<KeyEvent> TypedKeys(std::string_view text);

// The releases of the modifiers the user holds (`isDown` says which): Shift, Alt and the
// Windows keys, and Ctrl too with `withCtrl`. An Alt or Windows key released with nothing in
// between would open the target's menu bar or the Start menu, so an unassigned key goes
// first. Empty when nothing is held.
std::vector<KeyEvent> HeldReleases(const std::function<bool(std::uint16_t)>& isDown, bool withCtrl);

// The releases in batch[sent..] of keys pressed in batch[..sent), or of every key the batch
// presses when what went out is not known (sent < 0): what must still go out so that no
// key stays down after a batch the system took only in part.
std::vector<KeyEvent> ReleasesStillDue(const std::vector<KeyEvent>& batch, int sent);

// A virtual key's name as the user knows it: "Ctrl", "Tab", "V".
std::string KeyName(std::uint16_t key);

// The batch in a line, for plans that describe themselves: "Ctrl+V Tab", "\"abc\" Enter".
std::string DescribeKeys(const std::vector<KeyEvent>& batch);

}  // namespace cv2
