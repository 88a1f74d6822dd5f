// Texts of the hotkey page and the key capture dialog: the names of pad
// conditions, one item per key, the items joined, and the part that is shown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gkr {

// "-X" .. "+V" and the hat arrows for codes -1..-16; "BTN_<code>" for any other code.
std::wstring PadCodeText(int32_t code);

// A key as the capture dialog lists it: its name and its code, "A(65)".
std::wstring KeyItemText(const std::wstring& name, uint32_t code);

// Items separated by " + ".
std::wstring JoinItems(const std::vector<std::wstring>& items);

// Controls show at most this many UTF-16 units of a text.
constexpr size_t kShownTextLimit = 255;

// The first kShownTextLimit units of a text, never ending in half a surrogate pair.
std::wstring ShownText(const std::wstring& text);

// The scan code whose name GetKeyNameText gives for a virtual key: the
// navigation keys (Page Up .. Down arrow, Insert, Delete) are named as the
// extended keys of their own block, not as the keypad keys that share their
// scan codes.
uint32_t KeyNameScanCode(uint32_t code, uint32_t scan);

}  // namespace gkr
