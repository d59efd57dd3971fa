#include "bench/show_pass.h"

#include <cstdlib>

#include "bench/perf_control.h"
#include "bench/system_facts.h"
#include "headless/offscreen_show.h"
#include "platform/gl/gl_api.h"

namespace {

std::string RendererString() {
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return renderer != nullptr ? renderer : "unknown";
}

}  // namespace

bool ShowPass::Play(PassRecord* record, std::string* error) {
    SelectPath();
    record->MainMs = StartupMs();
    OffscreenShow show(VirtualClockStart);
    record->SceneMs = StartupMs();
    if (!show.StartUp(error)) {
        return false;
    }
    record->ResourcesMs = StartupMs();
    // Reading frames back stalls the pipeline; the program never does it.
    show.SetFrameCapture(false);
    record->Pass = Options.ChildPass;
    record->Renderer = RendererString();
    PerfControl profiler(Options.PerfControl, Options.ProfilePhases);
    for (;;) {
        FrameSample sample;
        sample.Phase = show.Scene().GetPhase();
        profiler.BeforeFrame(sample.Phase);
        long long wallStart = system_facts::MonotonicNs();
        double cpuStart = system_facts::ProcessCpuMs();
        OffscreenShow::Frame frame = show.Advance();
        // Present only queues the work: the frame is done when the driver has drawn it.
        glFinish();
        sample.WallMs = static_cast<double>(system_facts::MonotonicNs() - wallStart) / 1e6;
        sample.CpuMs = system_facts::ProcessCpuMs() - cpuStart;
        if (frame.Drawn && record->Frames.empty()) {
            record->StartupMs = StartupMs();
        }
        if (frame.Drawn) {
            record->Frames.push_back(sample);
        }
        bool stop = Options.UntilSeconds >= 0 && frame.ShowTime >= Options.UntilSeconds * 1000.0;
        if (Failed(frame.Result) || stop) {
            *error = show.Finished() || stop ? "" : "a frame failed";
            break;
        }
    }
    record->PeakRssKb = system_facts::PeakRssKb();
    return error->empty();
}

// The graphics layer reads its switch when the device is made.
void ShowPass::SelectPath() const {
    if (Options.ChildPass == "unoptimised") {
        setenv("BANNER_GL_UNOPTIMISED", "1", 1);
    } else {
        unsetenv("BANNER_GL_UNOPTIMISED");
    }
}

double ShowPass::StartupMs() const {
    if (Options.SpawnedAtNs < 0) {
        return system_facts::MsSinceProcessStart();
    }
    return static_cast<double>(system_facts::MonotonicNs() - Options.SpawnedAtNs) / 1e6;
}
