#include "platform/desktop/virtual_key.h"

#include <gtest/gtest.h>

namespace {

TEST(VirtualKeyCode, GivesTheWindowsCodesOfTheKeysTheProcedureKnows) {
    EXPECT_EQ(VirtualKeyCode(SDLK_ESCAPE), shell::VkEscape);
    EXPECT_EQ(VirtualKeyCode(SDLK_l), shell::VkL);
    EXPECT_EQ(VirtualKeyCode(SDLK_a), 65u);
    EXPECT_EQ(VirtualKeyCode(SDLK_z), 90u);
    EXPECT_EQ(VirtualKeyCode(SDLK_0), 48u);
    EXPECT_EQ(VirtualKeyCode(SDLK_SPACE), 32u);
    EXPECT_EQ(VirtualKeyCode(SDLK_RETURN), 13u);
}

TEST(VirtualKeyCode, OtherKeysHaveNoCode) {
    // Keys whose SDL code happens to be 'L' or Escape in another place must not pass for them.
    for (const SDL_Keycode key : {SDLK_F1, SDLK_LSHIFT, SDLK_KP_1, SDLK_AT, SDLK_LEFTBRACKET}) {
        EXPECT_EQ(VirtualKeyCode(key), 0u) << "key " << key;
    }
}

SDL_Event Key(Uint32 type, SDL_Keycode key, int modifiers) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
    event.key.keysym.mod = static_cast<Uint16>(modifiers);
    return event;
}

TEST(ShellEvent, KeysWithAltHeldAndF10AreTheSystemsOwn) {
    using shell::EventKind;
    for (const int alt : {int{KMOD_LALT}, int{KMOD_RALT}, KMOD_LALT | KMOD_LSHIFT}) {
        EXPECT_EQ(ShellEvent(Key(SDL_KEYDOWN, SDLK_l, alt)).Kind, EventKind::SystemKeyDown);
        EXPECT_EQ(ShellEvent(Key(SDL_KEYUP, SDLK_l, alt)).Kind, EventKind::SystemKeyUp);
        EXPECT_EQ(ShellEvent(Key(SDL_KEYDOWN, SDLK_ESCAPE, alt)).Kind, EventKind::SystemKeyDown);
    }
    EXPECT_EQ(ShellEvent(Key(SDL_KEYDOWN, SDLK_F10, 0)).Kind, EventKind::SystemKeyDown);
    EXPECT_EQ(ShellEvent(Key(SDL_KEYDOWN, SDLK_LALT, 0)).Kind, EventKind::SystemKeyDown);
    // Shift, Ctrl and the lock keys leave a key the program's.
    for (const SDL_Keymod other : {KMOD_NONE, KMOD_LSHIFT, KMOD_RCTRL, KMOD_CAPS, KMOD_NUM}) {
        const shell::Event down = ShellEvent(Key(SDL_KEYDOWN, SDLK_l, other));
        EXPECT_EQ(down.Kind, EventKind::KeyDown);
        EXPECT_EQ(down.VirtualKey, shell::VkL);
        EXPECT_EQ(ShellEvent(Key(SDL_KEYUP, SDLK_l, other)).Kind, EventKind::KeyUp);
    }
}

TEST(ShellEvent, WindowEventsOtherThanCloseAreNothingToTheProcedure) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    EXPECT_EQ(ShellEvent(event).Kind, shell::EventKind::CloseRequest);
    event.window.event = SDL_WINDOWEVENT_MOVED;
    EXPECT_EQ(ShellEvent(event).Kind, shell::EventKind::Other);
    event.type = SDL_QUIT;
    EXPECT_EQ(ShellEvent(event).Kind, shell::EventKind::Quit);
}

}  // namespace
