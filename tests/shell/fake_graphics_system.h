#pragma once

#include <string>
#include <vector>

#include "platform/graphics_system.h"
#include "tests/support/recording_device.h"

// A graphics system that hands out one recording device, or fails as told.
class FakeGraphicsSystem final : public gfx::GraphicsSystem {
public:
    explicit FakeGraphicsSystem(std::vector<std::string>& log) : Log(log) {}

    HRESULT CreateDevice(gfx::WindowHandle window, const gfx::PresentParameters& parameters,
                         gfx::Device** device) override {
        Log.push_back("CreateDevice");
        Window = window;
        Parameters = parameters;
        if (Failed(DeviceResult)) {
            return DeviceResult;
        }
        *device = &Device;
        return S_OK;
    }

    void Release() override {
        Log.push_back("ReleaseGraphicsSystem");
        ++ReleaseCount;
        DeviceReleasedFirst = Device.ReleaseCount == 1;
    }

    testing_support::RecordingDevice Device;
    gfx::WindowHandle Window = nullptr;
    gfx::PresentParameters Parameters;
    HRESULT DeviceResult = S_OK;
    int ReleaseCount = 0;
    bool DeviceReleasedFirst = false;

private:
    std::vector<std::string>& Log;
};
