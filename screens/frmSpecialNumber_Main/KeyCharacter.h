#pragma once

class QKeyEvent;

// The character code a key press types, as the grid's key filter sees it (the codes of the Windows
// character message: 8 Backspace, 13 Enter, 9 Tab, 27 Escape, 127 Delete).
namespace KeyCharacter {
constexpr int None = -1;
constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int Enter = 13;
constexpr int Escape = 27;
constexpr int Delete = 127;

// None for keys that type nothing (arrows, Home, function keys).
int of(const QKeyEvent& event);
bool isDigit(int code);
// The answer grid accepts digits, Backspace and Enter; every other character is discarded.
bool passesFilter(int code);
} // namespace KeyCharacter
