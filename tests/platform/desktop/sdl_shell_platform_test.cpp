#include "platform/desktop/sdl_shell_platform.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/crt_random.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

TEST(SdlShellPlatformDisplay, DriversThatDrawNowhereCountOnlyWhenAskedFor) {
    EXPECT_TRUE(SdlShellPlatform::IsDisplay("x11", nullptr));
    EXPECT_TRUE(SdlShellPlatform::IsDisplay("wayland", "x11,wayland"));
    EXPECT_FALSE(SdlShellPlatform::IsDisplay("offscreen", nullptr));
    EXPECT_FALSE(SdlShellPlatform::IsDisplay("dummy", "x11"));
    EXPECT_TRUE(SdlShellPlatform::IsDisplay("offscreen", "offscreen"));
    EXPECT_TRUE(SdlShellPlatform::IsDisplay("dummy", "x11,dummy"));
    EXPECT_FALSE(SdlShellPlatform::IsDisplay("offscreen", "offscreen2"));
    EXPECT_FALSE(SdlShellPlatform::IsDisplay(nullptr, nullptr));
}

struct MessageLog final : shell::WindowProcedure {
    void WindowProc(const shell::Event& event) override {
        Kinds.push_back(event.Kind);
        FirstRandom.push_back(crt::rand());
    }
    std::vector<shell::EventKind> Kinds;
    std::vector<int> FirstRandom;  // what rand() gave first after the message reached us
};

// Runs under the offscreen driver that the test environment asks for.
TEST(SdlShellPlatformWindow, TheWindowIsCreatedHiddenWithItsCreationMessageAndShownOnRequest) {
    SdlShellPlatform platform(nullptr);
    MessageLog procedure;
    std::string error;
    SDL_Window* window = nullptr;
    {
#if defined(__SANITIZE_ADDRESS__)
        // An OpenGL window makes SDL load EGL and Mesa, which keep a few allocations for good.
        __lsan::ScopedDisabler systemLibraries;
#endif
        window = static_cast<SDL_Window*>(platform.CreateWindow(procedure, &error));
    }
    ASSERT_NE(window, nullptr) << error;
    EXPECT_EQ(procedure.Kinds, std::vector{shell::EventKind::Created});

    const Uint32 flags = SDL_GetWindowFlags(window);
    EXPECT_TRUE(flags & SDL_WINDOW_HIDDEN);
    EXPECT_FALSE(flags & SDL_WINDOW_SHOWN);
    EXPECT_TRUE(flags & SDL_WINDOW_BORDERLESS);
    EXPECT_TRUE(flags & SDL_WINDOW_OPENGL);
    EXPECT_STREQ(SDL_GetWindowTitle(window), "D3D Tutorial 03: Matrices");
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    EXPECT_EQ(width, 960);
    EXPECT_EQ(height, 92);

    platform.ShowWindow(window);
    EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN);

    // Destroying the window reaches the procedure before the call returns.
    platform.DestroyWindow(window);
    EXPECT_EQ(procedure.Kinds.back(), shell::EventKind::Destroy);

    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace
