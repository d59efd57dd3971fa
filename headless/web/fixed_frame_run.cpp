#include "headless/web/fixed_frame_run.h"

#include <emscripten/emscripten.h>

#include "headless/show_timing.h"
#include "platform/process_globals.h"

FixedFrameRun::FixedFrameRun(const BuildConstants& constants, uint32_t frame,
                             const std::vector<double>& presses, const std::string& canvas,
                             uint32_t startTime)
    : Clock(startTime),
      Show(std::make_unique<WebShow>(constants, Clock, canvas)),
      Wanted(frame),
      Presses(presses, -1.0) {}

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
    for (uint32_t key : Presses.Due(showTime)) {
        Show->PressKey(key);
    }
    Clock.Advance(ShowFrameStep);
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
