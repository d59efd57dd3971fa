// The Win32 shell platform on a real window (under Wine in the test run): the window the
// programs make, and the messages that reach the window procedure.
#include "platform/windows/win32_shell_platform.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/windows/win32.h"

namespace {

struct MessageLog final : shell::WindowProcedure {
    void WindowProc(const shell::Event& event) override { Events.push_back(event); }
    std::vector<shell::EventKind> Kinds() const {
        std::vector<shell::EventKind> kinds;
        for (const shell::Event& event : Events) {
            if (event.Kind != shell::EventKind::Other) {
                kinds.push_back(event.Kind);
            }
        }
        return kinds;
    }
    std::vector<shell::Event> Events;
};

class Win32ShellPlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        Window = static_cast<HWND>(Platform.CreateWindow(Log, &error));
        ASSERT_NE(Window, nullptr) << error;
    }
    void TearDown() override {
        Platform.TearDown();
        MSG stale{};
        EXPECT_FALSE(PeekMessageA(&stale, nullptr, 0, 0, PM_REMOVE)) << stale.message;
    }

    void DispatchAll() {
        while (Platform.DispatchMessage()) {
        }
    }

    MessageLog Log;
    Win32ShellPlatform Platform;
    HWND Window = nullptr;
};

TEST_F(Win32ShellPlatformTest, TheWindowIsTheProgramsPopupHiddenUntilShown) {
    char text[64] = {};
    GetClassNameA(Window, text, sizeof text);
    EXPECT_STREQ(text, "D3D Tutorial");
    GetWindowTextA(Window, text, sizeof text);
    EXPECT_STREQ(text, "D3D Tutorial 03: Matrices");
    EXPECT_EQ(GetClassLongA(Window, GCL_STYLE), static_cast<DWORD>(CS_CLASSDC));
    const auto style = static_cast<DWORD>(GetWindowLongA(Window, GWL_STYLE));
    EXPECT_EQ(style & WS_POPUPWINDOW, static_cast<DWORD>(WS_POPUPWINDOW));
    EXPECT_EQ(style & (WS_DLGFRAME | WS_THICKFRAME), 0u);  // no caption, no sizing border
    RECT outer{};
    GetWindowRect(Window, &outer);
    EXPECT_EQ(outer.left, 200);
    EXPECT_EQ(outer.top, 100);
    EXPECT_EQ(outer.right - outer.left, 960);
    EXPECT_EQ(outer.bottom - outer.top, 92);

    // Its creation messages reached the procedure before the window was handed back.
    EXPECT_EQ(Log.Kinds(), std::vector{shell::EventKind::Created});
    EXPECT_GT(Log.Events.size(), 1u);
    EXPECT_FALSE(IsWindowVisible(Window));
    Platform.ShowWindow(Window);
    EXPECT_TRUE(IsWindowVisible(Window));
}

TEST_F(Win32ShellPlatformTest, KeysReachTheProcedureInOrderWithTheirVirtualKeys) {
    Log.Events.clear();
    PostMessageA(Window, WM_KEYDOWN, 'L', 0);
    PostMessageA(Window, WM_SYSKEYDOWN, VK_F4, 0);
    PostMessageA(Window, WM_KEYUP, 'L', 0);
    PostMessageA(Window, WM_KEYDOWN, VK_ESCAPE, 0);
    DispatchAll();
    ASSERT_EQ(Log.Kinds(), (std::vector{shell::EventKind::KeyDown, shell::EventKind::SystemKeyDown,
                                        shell::EventKind::KeyUp, shell::EventKind::KeyDown}));
    std::vector<uint32_t> keys;
    for (const shell::Event& event : Log.Events) {
        if (event.Kind != shell::EventKind::Other) {
            keys.push_back(event.VirtualKey);
        }
    }
    EXPECT_EQ(keys, (std::vector<uint32_t>{'L', VK_F4, 'L', VK_ESCAPE}));
    EXPECT_FALSE(Platform.DispatchMessage());
}

TEST_F(Win32ShellPlatformTest, DestroyingTheWindowTellsTheProcedureAtOnceAndThenNothingMore) {
    Log.Events.clear();
    Platform.DestroyWindow(Window);
    EXPECT_EQ(Log.Kinds(), std::vector{shell::EventKind::Destroy});
    EXPECT_FALSE(IsWindow(Window));
    MSG quit{};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    // Neither the window's own quit nor anyone else's reaches a procedure whose window is gone:
    // the procedure may end with it.
    PostQuitMessage(0);
    const size_t seen = Log.Events.size();
    DispatchAll();
    EXPECT_EQ(Log.Events.size(), seen);
}

TEST_F(Win32ShellPlatformTest, AQuitFromElsewhereAndTheCloseCommandReachTheProcedure) {
    Log.Events.clear();
    PostQuitMessage(0);
    DispatchAll();
    EXPECT_EQ(Log.Kinds(), std::vector{shell::EventKind::Quit});
    Log.Events.clear();
    SendMessageA(Window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Log.Kinds(), std::vector{shell::EventKind::Destroy});
    EXPECT_FALSE(IsWindow(Window));
}

}  // namespace
