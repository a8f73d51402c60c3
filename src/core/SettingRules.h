#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/TSetting.h"

namespace zanmel {

// The entries of the global settings dialog's lists, in the order of their stored indexes.
const std::vector<std::string>& MouseTriggerNames();
const std::vector<std::string>& ImeModeNames();

// The list entry a stored index selects, or -1 (no selection) for an index outside the list.
int ListSelection(std::int32_t stored, std::size_t count);

// Keys a hot key may use: the letters A to Z and the space bar.
bool IsHotKeyAccepted(std::uint16_t virtualKey);

// The text a hot key field shows: "Ctrl + ", "Shift + ", "Alt + " for the modifiers held, then the letter or
// "Space"; empty for a hot key not in use or with a key that is not accepted. Win is never shown.
std::string HotKeyText(const THotKeyRecord& key);

// A key pressed in a hot key field with the modifiers held: the modifiers replace the record's (Win cleared),
// an accepted key becomes the hot key, any other key (a modifier alone too) switches it off. Returns the text
// the field then shows.
std::string TypeHotKey(THotKeyRecord& key, bool ctrl, bool shift, bool alt, std::uint16_t virtualKey);

// Screen positions of a corner mask, bit i for position i (bottom-left, bottom, bottom-right, left, right,
// top-left, top, top-right).
using CornerPositions = std::array<bool, 8>;
CornerPositions CornerPositionsOf(std::uint8_t mask);
std::uint8_t CornerMaskOf(const CornerPositions& positions);

}  // namespace zanmel
