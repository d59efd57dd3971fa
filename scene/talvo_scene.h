#pragma once

#include <cstdint>

#include "platform/result.h"

// The scene as the application shell sees it: start-up steps, the per-frame steps, and the paced
// frame cycle that the message loop calls whenever it is idle.
class CTalvoScene {
public:
    // Builds the music voice.
    virtual HRESULT InitAudio() { return S_OK; }
    // Builds the device resources of the scene and of every object.
    virtual HRESULT InitResources() { return S_OK; }
    // Installs the view and projection transforms.
    virtual int32_t SetupView();
    // Installs the scene's light and gives every object its per-frame update.
    virtual int32_t SetupLights() = 0;
    // 0 while the show goes on (whether or not a frame was drawn); negative to end the loop.
    virtual HRESULT RenderFrame() = 0;
    // Whether the last RenderFrame call drew a frame; the message loop waits briefly when it
    // did not, instead of spinning.
    virtual bool DrewFrame() const { return true; }
    // Whether a negative RenderFrame result meant the show is over rather than a failure.
    virtual bool ShowFinished() const { return false; }

protected:
    ~CTalvoScene() = default;
};
