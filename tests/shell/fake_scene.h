#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/crt_random.h"
#include "platform/message_box.h"
#include "platform/process_globals.h"
#include "scene/talvo_scene.h"
#include "shell/light_switch.h"

// A scene whose start-up results and frames are scripted. Its frames use the device, as the real
// scene's do, and note any frame drawn after the device was released.
class FakeScene final : public CTalvoScene, public LightSwitch {
public:
    struct Frame {
        HRESULT Result = S_OK;
        bool Drew = true;
    };

    explicit FakeScene(std::vector<std::string>& log) : Log(log) {}

    HRESULT InitAudio() override {
        Log.push_back("InitAudio");
        return InitAudioResult;
    }
    HRESULT InitResources() override {
        Log.push_back("InitResources");
        RandomAtResources = crt::rand();
        if (GraphicsDevice != nullptr) {
            GraphicsDevice->CreateVertexBuffer(14400, 0, 0x152, &BackdropVertexBuffer);
        }
        if (!InitResourcesBox.empty()) {
            ShowErrorBox(InitResourcesBox.c_str(), "Init Error");
        }
        return InitResourcesResult;
    }
    int32_t SetupView() override { return 0; }
    int32_t SetupLights() override { return 0; }
    HRESULT RenderFrame() override {
        Log.push_back("RenderFrame");
        Frame frame;
        if (!Frames.empty()) {
            frame = Frames.front();
            Frames.pop_front();
        }
        LastDrew = frame.Drew;
        if (GraphicsDevice == nullptr) {
            ++FramesWithoutDevice;
        } else if (frame.Drew) {
            GraphicsDevice->Clear(0, 0, 1.0f, 0);
        }
        return frame.Result;
    }
    bool DrewFrame() const override { return LastDrew; }
    bool ShowFinished() const override { return Finished; }

    void SetLightsOn(bool on) override {
        RandomAtToggle.push_back(crt::rand());
        Log.push_back(on ? "SetLightsOn(true)" : "SetLightsOn(false)");
        LightsOn = on;
    }
    bool AreLightsOn() const override { return LightsOn; }

    HRESULT InitAudioResult = S_OK;
    HRESULT InitResourcesResult = S_OK;
    std::string InitResourcesBox;  // a box to show from InitResources, if any
    std::deque<Frame> Frames;      // then frames that draw and go on
    bool Finished = false;
    bool LightsOn = false;
    int FramesWithoutDevice = 0;
    std::vector<int> RandomAtToggle;  // the first rand() inside each SetLightsOn
    int RandomAtResources = -1;       // the first rand() inside InitResources

private:
    std::vector<std::string>& Log;
    bool LastDrew = false;
};
