#pragma once

#include <cstddef>
#include <optional>
#include <sys/types.h>

// The X display the soaked program runs on, seen as a competitor sees it: its windows, the keyboard focus
// and keys typed through the XTest extension, as real key presses reach the program.
// X11 stays out of this header: its macros (KeyPress, None, Status) clash with Qt's names.
class SoakDisplay final
{
public:
    using Window = unsigned long;

    SoakDisplay();
    ~SoakDisplay();
    SoakDisplay(const SoakDisplay&) = delete;
    SoakDisplay& operator=(const SoakDisplay&) = delete;

    bool isOpen() const { return m_display != nullptr; }

    // A viewable top-level window of process `pid`, named `name` or, with `otherThan`, not named so.
    std::optional<Window> findWindow(pid_t pid, const char* name, bool otherThan = false) const;

    // A fingerprint of the pixels `window` shows: it changes when the program paints something new there.
    // None when the window cannot be read (it is gone).
    std::optional<std::size_t> fingerprint(Window window) const;

    void focus(Window window);
    Window focusedWindow() const;

    // Presses and releases the key; returns once the X server has delivered both.
    void typeDigit(int digit);
    void typeSpace();

private:
    void typeKeysym(unsigned long keysym);
    std::optional<pid_t> processOf(Window window) const;

    struct _XDisplay* m_display = nullptr;
    unsigned long m_pidAtom = 0;
};
