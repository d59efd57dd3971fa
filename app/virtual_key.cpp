#include "app/virtual_key.h"

uint32_t VirtualKeyCode(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return static_cast<uint32_t>(key - SDLK_a + 'A');
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return static_cast<uint32_t>(key);
    }
    switch (key) {
        case SDLK_ESCAPE:
        case SDLK_RETURN:
        case SDLK_TAB:
        case SDLK_BACKSPACE:
        case SDLK_SPACE:
            return static_cast<uint32_t>(key);  // the same codes as the character
        default:
            return 0;
    }
}
