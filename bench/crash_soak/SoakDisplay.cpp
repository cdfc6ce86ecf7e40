#include "crash_soak/SoakDisplay.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstring>
#include <string_view>

namespace {
// A window that goes while it is read is no reason to end the soak, as Xlib's own handler would.
int ignoreError(Display*, XErrorEvent*)
{
    return 0;
}
} // namespace

SoakDisplay::SoakDisplay() : m_display(XOpenDisplay(nullptr))
{
    XSetErrorHandler(ignoreError);
    if (m_display)
        m_pidAtom = XInternAtom(m_display, "_NET_WM_PID", False);
}

SoakDisplay::~SoakDisplay()
{
    if (m_display)
        XCloseDisplay(m_display);
}

std::optional<SoakDisplay::Window> SoakDisplay::findWindow(pid_t pid, const char* name, bool otherThan) const
{
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count))
        return std::nullopt;
    std::optional<Window> found;
    // Newest last: a second window of the same name is the one just opened.
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(m_display, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        if (processOf(children[i]) != pid)
            continue;
        char* windowName = nullptr;
        XFetchName(m_display, children[i], &windowName);
        const bool named = windowName && std::strcmp(windowName, name) == 0;
        if (windowName)
            XFree(windowName);
        if (named != otherThan)
            found = children[i];
    }
    if (children)
        XFree(children);
    return found;
}

std::optional<pid_t> SoakDisplay::processOf(Window window) const
{
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(m_display, window, m_pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                           &data) != Success ||
        !data)
        return std::nullopt;
    const pid_t pid = items == 1 && format == 32 ? pid_t(*reinterpret_cast<unsigned long*>(data)) : 0;
    XFree(data);
    return pid;
}

std::optional<std::size_t> SoakDisplay::fingerprint(Window window) const
{
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(m_display, window, &attributes) || attributes.map_state != IsViewable)
        return std::nullopt;
    XImage* image =
        XGetImage(m_display, window, 0, 0, unsigned(attributes.width), unsigned(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return std::nullopt;
    const std::size_t hash =
        std::hash<std::string_view>()({image->data, std::size_t(image->bytes_per_line) * std::size_t(image->height)});
    XDestroyImage(image);
    return hash;
}

void SoakDisplay::focus(Window window)
{
    XSetInputFocus(m_display, window, RevertToPointerRoot, CurrentTime);
    XSync(m_display, False);
}

SoakDisplay::Window SoakDisplay::focusedWindow() const
{
    ::Window window = 0;
    int revert = 0;
    XGetInputFocus(m_display, &window, &revert);
    return window;
}

void SoakDisplay::typeDigit(int digit)
{
    typeKeysym(XK_0 + unsigned(digit));
}

void SoakDisplay::typeSpace()
{
    typeKeysym(XK_space);
}

void SoakDisplay::typeKeysym(unsigned long keysym)
{
    const KeyCode code = XKeysymToKeycode(m_display, keysym);
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    XSync(m_display, False);
}
