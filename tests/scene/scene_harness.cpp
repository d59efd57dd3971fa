#include "tests/scene/scene_harness.h"

#include "platform/crt_random.h"
#include "platform/process_globals.h"

namespace testing_support {

SceneHarness::SceneHarness(uint32_t startTime, bool initialise)
    : Clock(startTime), PreviousClock(platform::UseClock(&Clock)) {
    GraphicsDevice = &Device;
    AudioEngine = &Audio;
    BackdropVertexBuffer = nullptr;
    NextLightIndex = 1;
    crt::srand(1);
    ScenePointer = std::make_unique<CTalvoScene0001>();
    if (initialise) {
        Scene().InitAudio();
        Scene().InitResources();
    }
}

SceneHarness::~SceneHarness() {
    ScenePointer.reset();
    GraphicsDevice = nullptr;
    AudioEngine = nullptr;
    BackdropVertexBuffer = nullptr;
    platform::UseClock(PreviousClock);
}

HRESULT SceneHarness::Frame(uint32_t step) {
    Clock.Advance(step);
    Device.ClearRecords();
    return Scene().RenderFrame();
}

bool SceneHarness::RunToPhase(int32_t phase) {
    while (Scene().GetPhase() < phase) {
        if (Failed(Frame()) && Scene().GetPhase() < phase) {
            return false;
        }
    }
    return Scene().GetPhase() == phase;
}

}  // namespace testing_support
