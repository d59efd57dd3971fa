#include "scene/talvo_scene0001.h"

#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/process_globals.h"

namespace {
// Frames are drawn at most this often.
constexpr uint32_t FrameInterval = 40;
}  // namespace

CTalvoScene0001::CTalvoScene0001() {
    AddBackdropPaths();
    AddFirstActPaths();
    AddSecondActPaths();
    BackdropPath = BackdropPaths.begin();
    // The timeline sets the other cursors before each use; starting them at the front keeps
    // them valid until then.
    GearPath = GearPaths.begin();
    BubblePath = BubblePaths.begin();
    BoxPath = BoxPaths.begin();
    CameraPath = CameraPaths.begin();
    EffectPath = EffectPaths.begin();
    LoopPath = LoopPaths.begin();
    AddFirstActObjects();
    AddSecondActObjects();
}

CTalvoScene0001::~CTalvoScene0001() {
    if (BackdropTexture != nullptr) {
        BackdropTexture->Release();
    }
    // Released here too, although process exit would take it, so leak checks stay quiet.
    if (QuadVertexBuffer != nullptr) {
        QuadVertexBuffer->Release();
    }
    ForEachObject([](Object3D* object) { delete object; });
}

HRESULT CTalvoScene0001::RenderFrame() {
    FrameDrawn = false;
    Now = timeGetTime();
    if (!MusicStarted) {
        // Set first: the start is attempted once only, whatever it returns.
        MusicStarted = true;
        const HRESULT started =
            MusicVoice != nullptr ? MusicVoice->Start(0, audio::CommitNow) : E_FAIL;
        if (Failed(started)) {
            return started;
        }
        PhaseStart = Now;
    }
    if (Now - LastFrameTime < FrameInterval) {
        return S_OK;
    }
    LastFrameTime = Now;

    GraphicsDevice->Clear(gfx::ClearTarget | gfx::ClearZBuffer, 0xFF000000, 1.0f, 0);
    if (Failed(GraphicsDevice->BeginScene())) {
        ShowErrorBox("Begining Scene Error - Program Exiting", "Rendering Error");
        return E_FAIL;
    }
    SetupLights();
    SetupView();
    const int32_t showOver = RunTimeline();
    GraphicsDevice->EndScene();
    GraphicsDevice->Present();
    FrameDrawn = true;
    return showOver != 0 ? E_FAIL : S_OK;
}
