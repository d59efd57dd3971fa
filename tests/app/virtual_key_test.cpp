#include "app/virtual_key.h"

#include <gtest/gtest.h>

namespace {

TEST(VirtualKeyCode, GivesTheWindowsCodesOfTheKeysTheProcedureKnows) {
    EXPECT_EQ(VirtualKeyCode(SDLK_ESCAPE), VkEscape);
    EXPECT_EQ(VirtualKeyCode(SDLK_l), VkL);
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

}  // namespace
