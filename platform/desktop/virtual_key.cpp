#include "platform/desktop/virtual_key.h"

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

namespace {

bool IsSystemKey(const SDL_KeyboardEvent& key) {
    return (key.keysym.mod & KMOD_ALT) != 0 || key.keysym.sym == SDLK_F10 ||
           key.keysym.sym == SDLK_LALT || key.keysym.sym == SDLK_RALT;
}

shell::Event KeyEvent(const SDL_KeyboardEvent& key, bool down) {
    using shell::EventKind;
    const bool system = IsSystemKey(key);
    const EventKind kind = down ? (system ? EventKind::SystemKeyDown : EventKind::KeyDown)
                                : (system ? EventKind::SystemKeyUp : EventKind::KeyUp);
    return {kind, VirtualKeyCode(key.keysym.sym)};
}

}  // namespace

shell::Event ShellEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            return {shell::EventKind::Quit, 0};
        case SDL_WINDOWEVENT:
            return {event.window.event == SDL_WINDOWEVENT_CLOSE ? shell::EventKind::CloseRequest
                                                                : shell::EventKind::Other,
                    0};
        case SDL_KEYDOWN:
            return KeyEvent(event.key, true);
        case SDL_KEYUP:
            return KeyEvent(event.key, false);
        default:
            return {};
    }
}
