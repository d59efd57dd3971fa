#include "shell/application.h"

#include <cinttypes>
#include <cstdio>

#include "geometry/build_constants.h"
#include "platform/crt_random.h"
#include "platform/message_box.h"
#include "platform/process_globals.h"
#include "shell/release_graphics.h"

namespace {

constexpr const char* InitErrorCaption = "Init Error";

gfx::PresentParameters WindowPresentParameters() {
    gfx::PresentParameters parameters;
    parameters.BackBufferWidth = WindowWidth;
    parameters.BackBufferHeight = static_cast<uint32_t>(ProgramConstants->WindowHeight);
    parameters.Windowed = true;
    parameters.EnableAutoDepthStencil = true;
    parameters.PresentationInterval = 0;
    return parameters;
}

void SetRenderStates(gfx::Device& device) {
    using gfx::RenderState;
    device.SetRenderState(RenderState::CullMode, gfx::CullClockwise);
    device.SetRenderState(RenderState::Lighting, 1);
    device.SetRenderState(RenderState::ZEnable, 1);
    device.SetRenderState(RenderState::ZWriteEnable, 1);
    device.SetRenderState(RenderState::ZFunc, gfx::CompareLessEqual);
    device.SetRenderState(RenderState::AlphaBlendEnable, 1);
    device.SetRenderState(RenderState::SrcBlend, gfx::BlendSrcAlpha);
    device.SetRenderState(RenderState::DestBlend, gfx::BlendInvSrcAlpha);
    device.SetRenderState(RenderState::BlendOp, gfx::BlendOpAdd);
}

}  // namespace

int Application::Run() {
    std::optional<int> status = StartUp();
    while (!status) {
        status = Turn();
    }
    // However the program ends, the window and the graphics end here, not with the process, and
    // no message can reach this object afterwards.
    CloseWindow();
    return *status;
}

std::optional<int> Application::StartUp() {
    std::string reason;
    Window = Platform.CreateWindow(*this, &reason);
    if (Window == nullptr) {
        return Fail(reason);
    }
    if (Failed(CreateGraphicsDevice(Window))) {
        return Fail("no graphics device");
    }
    if (Failed(CreateAudioEngine())) {
        return Fail("no audio output: " + Platform.AudioError());
    }
    if (const HRESULT result = Scene.InitAudio(); Failed(result)) {
        return Fail("cannot create the music voice", result);
    }
    if (const HRESULT result = Scene.InitResources(); Failed(result)) {
        return Fail("cannot create the scene's resources", result);
    }
    Platform.ShowWindow(Window);
    return std::nullopt;
}

HRESULT Application::CreateGraphicsDevice(gfx::WindowHandle window) {
    std::string reason;  // the box below is all the user gets to see
    Direct3DObject = Platform.CreateGraphicsSystem(&reason);
    if (Direct3DObject == nullptr) {
        ShowErrorBox("Direct3D Creating Error - Program Exiting", InitErrorCaption);
        return E_FAIL;
    }
    const gfx::PresentParameters parameters = WindowPresentParameters();
    if (Failed(Direct3DObject->CreateDevice(window, parameters, &GraphicsDevice))) {
        ShowErrorBox("Direct3D Device Creating Error - Program Exiting", InitErrorCaption);
        return E_FAIL;
    }
    SetRenderStates(*GraphicsDevice);
    return S_OK;
}

HRESULT Application::CreateAudioEngine() {
    audio::Engine* engine = nullptr;
    if (const HRESULT result = Platform.CreateAudioEngine(&engine); Failed(result)) {
        return result;
    }
    AudioEngine = engine;
    return AudioEngine->CreateMasteringVoice(&MasteringVoice);
}

std::optional<int> Application::Turn() {
    if (QuitPosted) {
        return ExitSuccess;
    }
    if (Platform.DispatchMessage()) {
        return std::nullopt;
    }
    const HRESULT result = Scene.RenderFrame();
    if (Failed(result)) {
        return Scene.ShowFinished() ? ExitSuccess : Fail("a frame failed", result);
    }
    if (!Scene.DrewFrame()) {
        Platform.WaitForMessage(IdleWaitMilliseconds);
    }
    return std::nullopt;
}

void Application::WindowProc(const shell::Event& event) {
    crt::srand(0);
    switch (event.Kind) {
        case shell::EventKind::Destroy:
            OnDestroy();
            break;
        case shell::EventKind::CloseRequest:
        case shell::EventKind::Quit:
            CloseWindow();
            break;
        case shell::EventKind::KeyDown:
            OnKeyDown(event.VirtualKey);
            break;
        case shell::EventKind::KeyUp:
            OnKeyUp(event.VirtualKey);
            break;
        default:
            // Creation messages and system keys (Alt held, F10) are the system's own.
            break;
    }
}

void Application::CloseWindow() {
    if (Window != nullptr && !WindowDestroyed) {
        Platform.DestroyWindow(Window);
    }
}

void Application::OnDestroy() {
    // A window is destroyed once: a second close request must not release anything again.
    if (WindowDestroyed) {
        return;
    }
    WindowDestroyed = true;
    ReleaseGraphics();
    QuitPosted = true;
}

void Application::OnKeyDown(uint32_t key) {
    if (key == shell::VkEscape) {
        CloseWindow();
    }
    if (!LKeyHeld && key == shell::VkL) {
        LKeyHeld = true;
        Lights.SetLightsOn(!Lights.AreLightsOn());
    }
}

void Application::OnKeyUp(uint32_t key) {
    if (key == shell::VkL) {
        LKeyHeld = false;
    }
}

int Application::Fail(const std::string& what) {
    // A failure that showed its error box has already written that line.
    if (Boxes.FatalBoxes() == 0) {
        std::fprintf(stderr, "%s: %s\n", ProgramConstants->ProgramName, what.c_str());
        std::fflush(stderr);
    }
    return ExitFailure;
}

int Application::Fail(const std::string& what, HRESULT result) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08" PRIX32, static_cast<uint32_t>(result));
    return Fail(what + " (" + code + ")");
}
