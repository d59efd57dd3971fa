#include "platform/windows/win32_shell_platform.h"

#include "geometry/build_constants.h"
#include "platform/process_globals.h"
#include "platform/windows/d3d9_graphics_system.h"
#include "platform/windows/win32.h"
#include "platform/windows/win32_error.h"
#include "platform/windows/window_message.h"

namespace {

// The procedure of the one window, from just before its creation (whose messages arrive before
// CreateWindowExA returns) to its last message.
shell::WindowProcedure* Procedure = nullptr;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Procedure != nullptr) {
        Procedure->WindowProc(windows::TranslateWindowMessage(message, wParam));
    }
    if (message == WM_NCDESTROY) {
        Procedure = nullptr;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

}  // namespace

Win32ShellPlatform::~Win32ShellPlatform() {
    TearDown();
    if (Audio != nullptr) {
        // Nothing is to reach the engine or its voices once they are gone.
        if (AudioEngine == Audio) {
            AudioEngine = nullptr;
            MasteringVoice = nullptr;
        }
        Audio->Release();
    }
    UnregisterClassA(WindowClass, Instance());
}

gfx::WindowHandle Win32ShellPlatform::CreateWindow(shell::WindowProcedure& procedure,
                                                   std::string* error) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_CLASSDC;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = Instance();
    windowClass.lpszClassName = WindowClass;
    RegisterClassExA(&windowClass);
    Procedure = &procedure;
    HWND window =
        CreateWindowExA(0, WindowClass, WindowTitle, WS_POPUPWINDOW, WindowX, WindowY, WindowWidth,
                        ProgramConstants->WindowHeight, nullptr, nullptr, Instance(), nullptr);
    if (window == nullptr) {
        Procedure = nullptr;
        *error = "cannot create the window: " + windows::LastErrorText();
        return nullptr;
    }
    Window = window;
    return window;
}

void Win32ShellPlatform::ShowWindow(gfx::WindowHandle window) {
    ::ShowWindow(static_cast<HWND>(window), SW_SHOWDEFAULT);
    UpdateWindow(static_cast<HWND>(window));
}

void Win32ShellPlatform::DestroyWindow(gfx::WindowHandle window) {
    Window = nullptr;
    ::DestroyWindow(static_cast<HWND>(window));
}

bool Win32ShellPlatform::DispatchMessage() {
    MSG message{};
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    }
    // Someone else's quit, while the window lives; our own follows the window's destruction,
    // after which nothing reaches the procedure.
    if (message.message == WM_QUIT && Procedure != nullptr) {
        Procedure->WindowProc({shell::EventKind::Quit, 0});
        return true;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

void Win32ShellPlatform::WaitForMessage(int milliseconds) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(milliseconds), QS_ALLINPUT);
}

gfx::GraphicsSystem* Win32ShellPlatform::CreateGraphicsSystem(std::string* error) {
    return gfx::D3d9GraphicsSystem::Create({}, error);
}

HRESULT Win32ShellPlatform::CreateAudioEngine(audio::Engine** engine) {
    audio::XAudio2Engine* created = nullptr;
    const HRESULT result = audio::XAudio2Engine::Create(&created, &AudioFailure);
    if (Succeeded(result)) {
        *engine = created;
        Audio = created;
    }
    return result;
}

void Win32ShellPlatform::TearDown() {
    Procedure = nullptr;
    if (Window != nullptr) {
        ::DestroyWindow(static_cast<HWND>(Window));
        Window = nullptr;
    }
    // The window's destruction posted a quit that nobody is going to take.
    MSG quit{};
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}
