#include "app/application.h"

#include <cinttypes>
#include <cstdio>

#include "app/build_constants.h"
#include "app/release_graphics.h"
#include "app/virtual_key.h"
#include "platform/crt_random.h"
#include "platform/message_box.h"
#include "platform/process_globals.h"

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
    std::string reason;
    SDL_Window* window = Platform.CreateWindow(&reason);
    if (window == nullptr) {
        return Fail(reason);
    }
    if (Failed(CreateGraphicsDevice(window))) {
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
    Platform.ShowWindow(window);
    return RunMessageLoop();
}

HRESULT Application::CreateGraphicsDevice(SDL_Window* window) {
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

int Application::RunMessageLoop() {
    SDL_Event event;
    while (!QuitPosted) {
        if (Platform.PollEvent(&event)) {
            WindowProc(event);
            continue;
        }
        const HRESULT result = Scene.RenderFrame();
        if (Failed(result)) {
            return Scene.ShowFinished() ? ExitSuccess : Fail("a frame failed", result);
        }
        if (!Scene.DrewFrame()) {
            Platform.WaitForEvent(IdleWaitMilliseconds);
        }
    }
    return ExitSuccess;
}

void Application::WindowProc(const SDL_Event& event) {
    crt::srand(0);
    switch (event.type) {
        case SDL_QUIT:
            DestroyWindow();
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                DestroyWindow();
            }
            break;
        case SDL_KEYDOWN:
            OnKeyDown(VirtualKeyCode(event.key.keysym.sym));
            break;
        case SDL_KEYUP:
            OnKeyUp(VirtualKeyCode(event.key.keysym.sym));
            break;
        default:
            break;
    }
}

void Application::DestroyWindow() {
    // A window is destroyed once: a second close request must not release anything again.
    if (WindowDestroyed) {
        return;
    }
    WindowDestroyed = true;
    ReleaseGraphics();
    QuitPosted = true;
}

void Application::OnKeyDown(uint32_t key) {
    if (key == VkEscape) {
        DestroyWindow();
    }
    if (!LKeyHeld && key == VkL) {
        LKeyHeld = true;
        Lights.SetLightsOn(!Lights.AreLightsOn());
    }
}

void Application::OnKeyUp(uint32_t key) {
    if (key == VkL) {
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
