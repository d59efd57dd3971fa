#pragma once

#include <cstdint>

// The window messages the program tells apart, in the same terms on every platform.
namespace shell {

enum class EventKind {
    Created,        // the window was made: its creation messages
    CloseRequest,   // the window manager's or system menu's close
    Destroy,        // the window is going away
    Quit,           // the process was asked to end (a signal, the session closing)
    KeyDown,        // a key went down, or repeats while held
    KeyUp,          // a key came up
    SystemKeyDown,  // a key with Alt held, or F10: the system's, not the program's
    SystemKeyUp,
    Other,
};

struct Event {
    EventKind Kind = EventKind::Other;
    uint32_t VirtualKey = 0;  // Windows virtual-key code for key events; 0 for unknown keys
};

// Windows virtual-key codes of the keys the window procedure knows.
inline constexpr uint32_t VkEscape = 27;
inline constexpr uint32_t VkL = 76;

// Receives every message of the program's window.
class WindowProcedure {
public:
    virtual void WindowProc(const Event& event) = 0;

protected:
    ~WindowProcedure() = default;
};

}  // namespace shell
