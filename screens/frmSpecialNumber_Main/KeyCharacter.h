#pragma once

class QKeyEvent;

// The character code a key press types, as the cell editor rules see it (the codes of the Windows
// character message: 8 Backspace, 13 Enter, 9 Tab, 27 Escape, 127 Delete).
namespace KeyCharacter {
constexpr int None = -1;
constexpr int Tab = 9;
constexpr int Escape = 27;
constexpr int Delete = 127;

// None for keys that type nothing (arrows, Home, function keys).
int of(const QKeyEvent& event);
} // namespace KeyCharacter
