#include "shell/web/web_show.h"

#include "platform/crt_random.h"
#include "platform/process_globals.h"
#include "shell/release_graphics.h"

namespace {
// The scene draws a frame at most this often.
constexpr uint32_t FrameInterval = 40;
}  // namespace

WebShow::WebShow(const BuildConstants& constants, platform::Clock& clock, const std::string& canvas)
    : Platform(canvas) {
    ProgramConstants = &constants;
    platform::UseClock(&clock);
    // As at program start: the generator in its first state, light indices from 1.
    crt::srand(1);
    NextLightIndex = 1;
    TheScene = std::make_unique<CTalvoScene0001>();
    Lights = std::make_unique<SceneLightSwitch>(*TheScene);
    Shell = std::make_unique<Application>(Platform, *TheScene, *Lights);
}

WebShow::~WebShow() {
    TheScene.reset();
    ReleaseGraphics();
    AudioEngine = nullptr;
    MasteringVoice = nullptr;
    platform::UseClock(nullptr);
}

std::optional<int> WebShow::Turn() {
    const std::optional<int> status = Shell->Turn();
    NoteMusicStart();
    return status;
}

HRESULT WebShow::RenderFrame() {
    const HRESULT result = TheScene->RenderFrame();
    NoteMusicStart();
    return result;
}

void WebShow::NoteMusicStart() {
    if (!MusicStart && TheScene->IsMusicStarted()) {
        MusicStart = TheScene->GetPhaseStart();
    }
}

bool WebShow::ResizeBackBuffer(int width, int height) {
    // The device goes when the program ends (Escape), before the show does.
    return GraphicsDevice != nullptr && Platform.ResizeBackBuffer(width, height);
}

void WebShow::PressKey(uint32_t key) {
    Shell->WindowProc({shell::EventKind::KeyDown, key});
    Shell->WindowProc({shell::EventKind::KeyUp, key});
}

uint32_t WebShow::NextFrameDue() const { return TheScene->GetLastFrameTime() + FrameInterval; }

uint32_t WebShow::ShowTime() const { return MusicStart ? timeGetTime() - *MusicStart : 0; }
