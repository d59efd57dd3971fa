#include <array>

#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "objects/object_resources.h"
#include "platform/process_globals.h"
#include "scene/path_parameter.h"
#include "scene/talvo_scene0001.h"

namespace {

constexpr uint32_t TurnPeriod = 5000;  // the backdrop and the wheels turn once per 5 s
constexpr uint32_t SlowPeriod = 10000;
constexpr uint32_t BackdropTriangles = 398;
// The backdrop's texture modulated by its vertices' colour, over whatever alpha operation the
// stage holds.
constexpr uint32_t BackdropColorOp = gfx::TextureOpModulate;
constexpr uint32_t BackdropColorArg1 = gfx::TextureArgTexture;
constexpr uint32_t BackdropColorArg2 = gfx::TextureArgDiffuse;

gfx::TextureStageSetup WithBackdropColor(gfx::TextureStageSetup stage) {
    stage.ColorOp = BackdropColorOp;
    stage.ColorArg1 = BackdropColorArg1;
    stage.ColorArg2 = BackdropColorArg2;
    return stage;
}

gfx::Material MaterialOf(float diffuse, float ambient, float specular) {
    gfx::Material material{};
    material.Diffuse = {diffuse, diffuse, diffuse, 1.0f};
    material.Ambient = {ambient, ambient, ambient, 1.0f};
    if (specular >= 0.0f) {
        material.Specular = {specular, specular, specular, 1.0f};
    }
    return material;
}

}  // namespace

int32_t CTalvoScene0001::RunTimeline() {
    TurnTime = Now % TurnPeriod;
    const float turn = static_cast<float>(TurnTime * f32::TwoPiWide / TurnPeriod);
    const float slow = static_cast<float>((Now % SlowPeriod) * f32::TwoPiWide / SlowPeriod);

    AdvanceBackdrop();
    DrawBackdrop(turn);
    // Each block tests the phase when it is reached, so a transition made by one block is
    // already seen by the blocks after it.
    if (Phase == 1) RunGearBlock(turn);
    if (Phase >= 3 && Phase <= 5) RunBubbleBlock();
    if (Phase >= 0 && Phase <= 5) RunBoxBlock();
    if (Phase == 6) RunProjectorBlock(turn);
    if (Phase == 6) RunFirstEffectBlock();
    if (Phase == 7) RunFirstParticleBlock();
    if (Phase >= 8 && Phase <= 10) RunCameraBlock(slow);
    if (Phase >= 8 && Phase <= 10) RunCompanionEffectBlock(turn);
    if (Phase == 11) RunSecondParticleBlock();
    if (Phase == 12) RunThirdParticleBlock();
    if (Phase == 13 || Phase == 14) RunLoopEffectBlock();
    if (Phase == 15) RunColourQuadBlock();
    return Phase > LastPhase ? E_FAIL : 0;
}

// The backdrop follows its two paths on a clock of its own, then stays where it ended.
void CTalvoScene0001::AdvanceBackdrop() {
    if (BackdropSegment == 0) {
        BackdropSegment = 1;
        BackdropSegmentStart = Now;
        BackdropPath = BackdropPaths.begin();
    }
    const bool pathDone = BackdropPath != BackdropPaths.end() &&
                          Now - BackdropSegmentStart > BackdropPath->GetDuration();
    if ((BackdropSegment == 1 || BackdropSegment == 2) && pathDone) {
        BackdropSegmentStart = Now;
        ++BackdropPath;
        ++BackdropSegment;
    }
    if (BackdropPath != BackdropPaths.end()) {
        BackdropElapsed = Now - BackdropSegmentStart;
        BackdropPosition =
            BackdropPath->GetPoint(PathParameter(BackdropElapsed, BackdropPath->GetDuration()));
    }
}

void CTalvoScene0001::DrawBackdrop(float turn) {
    const Matrix4 world = MatrixMultiply(
        MatrixRotationY(turn),
        MatrixTranslation(BackdropPosition.x, BackdropPosition.y, BackdropPosition.z));
    GraphicsDevice->SetTransform(gfx::TransformState::World, &world);
    GraphicsDevice->SetTexture(0, BackdropTexture);
    GraphicsDevice->SetTextureStageState(0, gfx::TextureStageState::ColorOp, BackdropColorOp);
    GraphicsDevice->SetTextureStageState(0, gfx::TextureStageState::ColorArg1, BackdropColorArg1);
    GraphicsDevice->SetTextureStageState(0, gfx::TextureStageState::ColorArg2, BackdropColorArg2);
    GraphicsDevice->SetStreamSource(0, BackdropVertexBuffer, 0, VertexStride);
    GraphicsDevice->SetFVF(VertexFormat);
    GraphicsDevice->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0, BackdropTriangles);
}

// Every texture stage setup a frame draws with: the backdrop's, over the stage's alpha as the
// device starts and as the sprites leave it, and the sprites'. Nothing depends on whether the
// device manages; without it the first draws with each setup are merely slow.
void CTalvoScene0001::PrepareDrawing() {
    const std::array<gfx::TextureStageSetup, 3> setups = {
        WithBackdropColor({}), WithBackdropColor(AdditiveStage), AdditiveStage};
    GraphicsDevice->PrepareToDraw(setups);
}

void CTalvoScene0001::BeginBlock(MaterialSet set) {
    gfx::Material material;
    switch (set) {
        case MaterialSet::Dark:
            material = MaterialOf(0.0f, 0.0f, -1.0f);
            break;
        case MaterialSet::DarkGlossy:
            material = MaterialOf(0.0f, 0.0f, 0.0f);
            break;
        case MaterialSet::White:
            material = MaterialOf(1.0f, 1.0f, -1.0f);
            break;
        case MaterialSet::WhiteGlossy:
            material = MaterialOf(1.0f, 1.0f, 1.0f);
            break;
        case MaterialSet::Quad:
            material = MaterialOf(0.0f, 1.0f, 0.0f);
            break;
    }
    GraphicsDevice->SetMaterial(&material);
    GraphicsDevice->SetTexture(0, nullptr);
}

void CTalvoScene0001::NextPhase(bool restartClock) {
    ++Phase;
    if (restartClock) {
        PhaseStart = Now;
    }
}

void CTalvoScene0001::Place(Object3D* object, const Matrix4& translation, const Matrix4& rotation) {
    object->SetTranslation(&translation);
    object->SetRotation(&rotation);
    object->Render(Now);
}
