#pragma once

#include <cstdint>
#include <list>

#include "geometry/bezier_path.h"
#include "geometry/object3d.h"
#include "geometry/vec3.h"
#include "geometry/vertex.h"
#include "platform/audio_engine.h"
#include "platform/graphics_device.h"
#include "scene/talvo_scene.h"

// The one concrete scene: it owns every path and object of the show, the backdrop, the colour
// quad and the music voice, and turns the scene clock into frames.
class CTalvoScene0001 final : public CTalvoScene {
public:
    using PathList = std::list<BezierPath>;
    using PathCursor = PathList::iterator;
    using ObjectList = std::list<Object3D*>;

    // Builds every path and object of both acts; touches no device.
    CTalvoScene0001();
    CTalvoScene0001(const CTalvoScene0001&) = delete;
    CTalvoScene0001& operator=(const CTalvoScene0001&) = delete;
    virtual ~CTalvoScene0001();

    HRESULT InitAudio() override;
    HRESULT InitResources() override;
    int32_t SetupLights() override;
    HRESULT RenderFrame() override;
    bool DrewFrame() const override { return FrameDrawn; }
    bool ShowFinished() const override { return Phase >= LastPhase + 1; }

    // The show runs phases 0 to LastPhase; reaching the next one ends it.
    static constexpr int32_t LastPhase = 15;

    // Rewrites the colour quad: first and second colour on the left, third and fourth on the
    // right.
    void SetQuadColors(uint32_t first, uint32_t second, uint32_t third, uint32_t fourth);

    // The 'L' key: switch the box's light, burst every bubble, start every effect.
    void SetLightsOn(bool on);
    bool AreLightsOn() const;

    // 0 while the show runs, E_FAIL once the last phase is over.
    int32_t RunTimeline();

    // Read access for tests and tools.
    int32_t GetPhase() const { return Phase; }
    uint32_t GetPhaseStart() const { return PhaseStart; }
    uint32_t GetNow() const { return Now; }
    uint32_t GetLastFrameTime() const { return LastFrameTime; }
    bool IsMusicStarted() const { return MusicStarted; }
    const Vec3& GetBackdropPosition() const { return BackdropPosition; }
    int32_t GetBackdropSegment() const { return BackdropSegment; }
    const ObjectList& GetGears() const { return Gears; }
    const ObjectList& GetBoxes() const { return Boxes; }
    const ObjectList& GetBubbles() const { return Bubbles; }
    const ObjectList& GetCameras() const { return Cameras; }
    const ObjectList& GetProjectors() const { return Projectors; }
    const ObjectList& GetEffects() const { return Effects; }
    const ObjectList& GetParticleManagers() const { return ParticleManagers; }
    const PathList& GetBackdropPaths() const { return BackdropPaths; }
    const PathList& GetGearPaths() const { return GearPaths; }
    const PathList& GetBubblePaths() const { return BubblePaths; }
    const PathList& GetBoxPaths() const { return BoxPaths; }
    const PathList& GetCameraPaths() const { return CameraPaths; }
    const PathList& GetEffectPaths() const { return EffectPaths; }
    const PathList& GetLoopPaths() const { return LoopPaths; }
    const audio::WaveFormatExtensible& GetMusicFormat() const { return MusicFormat; }
    const audio::AudioBuffer& GetMusicBuffer() const { return MusicBuffer; }
    gfx::Texture* GetBackdropTexture() const { return BackdropTexture; }
    gfx::VertexBuffer* GetQuadVertexBuffer() const { return QuadVertexBuffer; }

private:
    enum class MaterialSet { Dark, DarkGlossy, White, WhiteGlossy, Quad };

    // Population, in construction order: all paths, then all objects.
    void AddBackdropPaths();
    void AddFirstActPaths();
    void AddSecondActPaths();
    void AddFirstActObjects();
    void AddSecondActObjects();
    template <typename Visit>
    void ForEachObject(Visit visit) const;

    void WriteBackdropCylinder(Vertex* vertices) const;
    // Has the device ready everything the show's draws need before the first frame.
    static void PrepareDrawing();

    // Timeline steps, in the order one call runs them.
    void AdvanceBackdrop();
    void DrawBackdrop(float turn);
    void RunGearBlock(float turn);
    void RunBubbleBlock();
    void RunBoxBlock();
    void RunBoxTransitions();
    void RunProjectorBlock(float turn);
    void RunFirstEffectBlock();
    void RunFirstParticleBlock();
    void RunCameraBlock(float slow);
    void RunCompanionEffectBlock(float turn);
    void RunSecondParticleBlock();
    void RunThirdParticleBlock();
    void RunLoopEffectBlock();
    void RunColourQuadBlock();

    // Every block starts with its material and no texture.
    void BeginBlock(MaterialSet set);
    uint32_t PhaseTime() const { return Now - PhaseStart; }
    void NextPhase(bool restartClock);
    void Place(Object3D* object, const Matrix4& translation, const Matrix4& rotation);

    audio::WaveFormatExtensible MusicFormat{};
    audio::AudioBuffer MusicBuffer{};
    audio::SourceVoice* MusicVoice = nullptr;
    bool MusicStarted = false;
    gfx::Texture* BackdropTexture = nullptr;
    PathList BackdropPaths;
    PathList GearPaths;
    PathCursor GearPath;
    PathList BubblePaths;
    PathCursor BubblePath;
    PathList BoxPaths;
    PathCursor BoxPath;
    PathList CameraPaths;
    PathCursor CameraPath;
    PathList EffectPaths;
    PathCursor EffectPath;
    PathList LoopPaths;
    PathCursor LoopPath;
    uint32_t Now = 0;
    uint32_t LastFrameTime = 0;
    uint32_t TurnTime = 0;
    uint32_t BackdropSegmentStart = 0;
    uint32_t BackdropElapsed = 0;
    Vec3 BackdropPosition;
    int32_t BackdropSegment = 0;
    PathCursor BackdropPath;
    ObjectList Gears;
    ObjectList Boxes;
    ObjectList Bubbles;
    ObjectList Cameras;
    ObjectList Projectors;
    ObjectList Effects;
    ObjectList ParticleManagers;
    int32_t Phase = 0;
    uint32_t PhaseStart = 0;
    gfx::VertexBuffer* QuadVertexBuffer = nullptr;
    bool FrameDrawn = false;
};

// Every object, list by list in member order, each list front to back.
template <typename Visit>
void CTalvoScene0001::ForEachObject(Visit visit) const {
    for (const ObjectList* list :
         {&Gears, &Boxes, &Bubbles, &Cameras, &Projectors, &Effects, &ParticleManagers}) {
        for (Object3D* object : *list) {
            visit(object);
        }
    }
}
