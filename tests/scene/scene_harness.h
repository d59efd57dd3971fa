#pragma once

#include <cstdint>
#include <memory>

#include "platform/clock.h"
#include "scene/talvo_scene0001.h"
#include "tests/support/recording_audio.h"
#include "tests/support/recording_device.h"
#include "tests/support/recording_message_box.h"

namespace testing_support {

// A scene on the recording device and audio engine, driven by a virtual clock, as the program
// builds it: constructed with the generator in its initial state, then InitAudio and
// InitResources.
class SceneHarness {
public:
    explicit SceneHarness(uint32_t startTime = 100000, bool initialise = true);
    ~SceneHarness();
    SceneHarness(const SceneHarness&) = delete;
    SceneHarness& operator=(const SceneHarness&) = delete;

    CTalvoScene0001& Scene() { return *ScenePointer; }

    // Moves the clock on and calls RenderFrame once, with the device's records cleared first.
    HRESULT Frame(uint32_t step = 40);
    // Draws frames 40 ms apart until the phase is reached; returns false if the show ended first.
    bool RunToPhase(int32_t phase);
    // The phase clock of the scene.
    uint32_t PhaseTime() { return Scene().GetNow() - Scene().GetPhaseStart(); }

    RecordingDevice Device;
    RecordingAudioEngine Audio;
    RecordingMessageBox Boxes;
    platform::VirtualClock Clock;

private:
    platform::Clock* PreviousClock;
    std::unique_ptr<CTalvoScene0001> ScenePointer;
};

}  // namespace testing_support
