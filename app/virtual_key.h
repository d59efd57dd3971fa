#pragma once

#include <SDL2/SDL_keycode.h>

#include <cstdint>

// Windows virtual-key codes of the keys the window procedure knows.
inline constexpr uint32_t VkEscape = 27;
inline constexpr uint32_t VkL = 76;

// The virtual-key code of an SDL key: Escape, Return, Tab, Backspace, Space, digits and letters
// (as their upper-case character); 0 for any other key.
uint32_t VirtualKeyCode(SDL_Keycode key);
