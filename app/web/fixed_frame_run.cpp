#include "app/web/fixed_frame_run.h"

#include <emscripten/emscripten.h>

#include "platform/process_globals.h"

namespace {
// The capture tool's step from one frame to the next.
constexpr uint32_t FrameStep = 40;
}  // namespace

FixedFrameRun::FixedFrameRun(const BuildConstants& constants, uint32_t frame,
                             std::vector<double> presses, const std::string& canvas,
                             uint32_t startTime)
    : Clock(startTime),
      Show(std::make_unique<WebShow>(constants, Clock, canvas)),
      Wanted(frame),
      PressSeconds(std::move(presses)),
      Pressed(PressSeconds.size(), false) {}

std::optional<int> FixedFrameRun::StartUp() {
    if (const std::optional<int> failed = Show->StartUp()) {
        return failed;
    }
    Device = new DrawSwitchDevice(GraphicsDevice, DrawSwitchDevice::Drops::Picture);
    GraphicsDevice = Device;
    return std::nullopt;
}

FixedFrameRun::Progress FixedFrameRun::Play(double milliseconds) {
    const double until = emscripten_get_now() + milliseconds;
    while (State == Progress::Playing && emscripten_get_now() < until) {
        State = Step();
    }
    return State;
}

FixedFrameRun::Progress FixedFrameRun::Step() {
    const uint32_t showTime = Show->ShowTime();
    // Each press before the first frame drawn at or after its time, as the capture tool has it.
    for (size_t i = 0; i < PressSeconds.size(); ++i) {
        if (!Pressed[i] && showTime + FrameStep > PressSeconds[i] * 1000.0) {
            Pressed[i] = true;
            Show->PressKey(shell::VkL);
        }
    }
    Clock.Advance(FrameStep);
    Device->SetDrawing(Drawn == Wanted);
    const HRESULT result = Show->RenderFrame();
    if (Show->Scene().DrewFrame() && Drawn++ == Wanted) {
        return Progress::Ready;
    }
    if (Failed(result)) {
        return Show->Scene().ShowFinished() ? Progress::ShowOver : Progress::Failed;
    }
    return Progress::Playing;
}
