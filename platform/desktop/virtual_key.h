#pragma once

#include <SDL2/SDL_events.h>

#include <cstdint>

#include "platform/shell_event.h"

// The virtual-key code of an SDL key: Escape, Return, Tab, Backspace, Space, digits and letters
// (as their upper-case character); 0 for any other key.
uint32_t VirtualKeyCode(SDL_Keycode key);

// An SDL event as the window procedure sees it. A key pressed or released with Alt held, Alt
// itself and F10 are system keys, as on the desktop the show was made for.
shell::Event ShellEvent(const SDL_Event& event);
