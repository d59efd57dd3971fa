#include "objects/effect/object_effect.h"

#include <cstring>

#include "geometry/build_constants.h"
#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "geometry/vertex.h"
#include "objects/effect/effect_math.h"
#include "objects/eye_facing.h"
#include "objects/object_resources.h"
#include "platform/process_globals.h"

using effect_math::RandomBelow;

namespace {

// A texture is computed again at most once per this many milliseconds of scene time.
constexpr uint32_t RegenInterval = 40;

}  // namespace

ObjectEffect::ObjectEffect(int kind, uint32_t gridSize, uint32_t textureSize, float width,
                           float aspect, uint32_t spotCount, uint32_t colorA, uint32_t colorB,
                           const Vec3& direction)
    : Kind(kind),
      GridSize(gridSize),
      TextureSize(textureSize),
      ColorA(colorA),
      ColorB(colorB),
      Width(width),
      Aspect(aspect),
      SpotCount(spotCount),
      LightDirection(-direction.x, -direction.y, -direction.z),
      SpotX(spotCount),
      SpotY(spotCount),
      SpotAmplitude(spotCount),
      SpotPhase(spotCount),
      SpotExtra1(spotCount),
      SpotExtra2(spotCount) {
    FillSpots();
}

ObjectEffect::~ObjectEffect() {
    if (Texture != nullptr) {
        Texture->Release();
    }
    if (VertexBuffer != nullptr) {
        VertexBuffer->Release();
    }
}

// The draws come one array at a time; the comets fill position triples first.
void ObjectEffect::FillSpots() {
    if (Kind == Comet || Kind == TintedComet) {
        FillSpotTriples(SpotX);
        FillSpotTriples(SpotY);
    } else {
        for (uint32_t& x : SpotX) {
            x = RandomBelow(TextureSize);
        }
        for (uint32_t& y : SpotY) {
            y = RandomBelow(TextureSize);
        }
    }
    for (uint32_t& amplitude : SpotAmplitude) {
        amplitude = RandomBelow(256);
    }
    const uint32_t phaseRange = SpotCount == 0 ? 0 : TextureSize / SpotCount;
    for (uint32_t& phase : SpotPhase) {
        phase = RandomBelow(phaseRange);
    }
    for (uint32_t& extra : SpotExtra1) {
        extra = RandomBelow(SpotCount);
    }
    for (uint32_t& extra : SpotExtra2) {
        extra = RandomBelow(SpotCount);
    }
}

void ObjectEffect::FillSpotTriples(std::vector<uint32_t>& values) {
    for (uint32_t i = 0; i < SpotCount / 3; ++i) {
        const uint32_t d = RandomBelow(TextureSize);
        const uint32_t start = RandomBelow(TextureSize);
        values[3 * i] = start;
        values[3 * i + 1] = start + d < TextureSize ? start + d : TextureSize;
        values[3 * i + 2] = start == 0 ? 0 : start - d;
    }
}

SpotArrays ObjectEffect::Spots() {
    return {SpotX, SpotY, SpotAmplitude, SpotPhase, SpotExtra1, SpotExtra2};
}

EffectLook ObjectEffect::Look() const { return {ColorA, ColorB, Blend, Aspect}; }

ObjectEffect::Spot ObjectEffect::GetSpot(uint32_t index) const {
    return {SpotX.at(index),     SpotY.at(index),      SpotAmplitude.at(index),
            SpotPhase.at(index), SpotExtra1.at(index), SpotExtra2.at(index)};
}

HRESULT ObjectEffect::Create() {
    if (Failed(GraphicsDevice->CreateTexture(TextureSize, TextureSize, gfx::FullMipChain,
                                             gfx::UsageDynamic, gfx::Format::A8R8G8B8, &Texture))) {
        Texture = nullptr;
        return E_FAIL;
    }
    if (Failed(ComputeTexture(true))) {
        return E_FAIL;
    }
    return CreateRectangle();
}

int32_t ObjectEffect::Update() { return 0; }

int32_t ObjectEffect::Render(uint32_t time) {
    LastRenderTime = time;
    const Matrix4 world = Kind == Comet ? FacingWorld() : GetWorld();
    GraphicsDevice->SetTransform(gfx::TransformState::World, &world);
    GraphicsDevice->SetFVF(VertexFormat);
    if (!Active) {
        return S_OK;
    }
    if (Kind != SoftDisc && (time - LastRegenTime > RegenInterval || time == LastRegenTime)) {
        if (Failed(ComputeTexture(false))) {
            return E_FAIL;
        }
        LastRegenTime = time;
    }
    Draw();
    return S_OK;
}

void ObjectEffect::Start(uint32_t time) {
    if (Active) {
        return;
    }
    Active = true;
    StartTime = time;
    LastRegenTime = time;
}

void ObjectEffect::SetBlend(float blend) {
    if (blend != Blend) {
        Dirty = true;
    }
    Blend = blend;
}

void ObjectEffect::SetLightDirection(const Vec3& v) {
    constexpr float Tolerance = 0.01f;
    if (f32::fabs(LightDirection.x + v.x) > Tolerance ||
        f32::fabs(LightDirection.y + v.y) > Tolerance ||
        f32::fabs(LightDirection.z + v.z) > Tolerance) {
        Dirty = true;
        LightDirection = {-v.x, -v.y, -v.z};
    }
}

// n x n cells: (2n + 2) n vertices in one serpentine strip.
uint32_t ObjectEffect::VertexCount() const { return (2 * GridSize + 2) * GridSize; }

uint32_t ObjectEffect::PrimitiveCount() const {
    return GridSize == 0 ? 0 : 2 * GridSize * (GridSize + 1) - 2;
}

HRESULT ObjectEffect::CreateRectangle() {
    if (Failed(GraphicsDevice->CreateVertexBuffer(VertexBytes(VertexCount()), 0, VertexFormat,
                                                  &VertexBuffer))) {
        VertexBuffer = nullptr;
        return E_FAIL;
    }
    void* data = nullptr;
    if (Failed(VertexBuffer->Lock(0, 0, &data, 0))) {
        return E_FAIL;
    }
    WriteRectangle(data);
    VertexBuffer->Unlock();
    RectangleReady = true;
    return S_OK;
}

// Strip r runs up the column pair (r, r + 1) on even r and back down on odd r.
void ObjectEffect::WriteRectangle(void* data) const {
    const uint32_t n = GridSize;
    const auto cells = static_cast<float>(n);
    float cx = Width / cells;
    float hx = Width / 2.0f;
    if (Kind == Ripples || Kind == Splatter) {
        cx = cx * Aspect;
        hx = hx * Aspect;
    }
    const float cy = Width / cells;
    const float hy = Width / 2.0f;
    auto* out = static_cast<uint8_t*>(data);
    const auto put = [&](uint32_t index, uint32_t column, uint32_t row) {
        Vertex vertex;
        vertex.Position = {static_cast<float>(column) * cx - hx, static_cast<float>(row) * cy - hy,
                           0.0f};
        vertex.Normal = {0.0f, 0.0f, -1.0f};
        vertex.U = static_cast<float>(column) / cells;
        vertex.V = static_cast<float>(row) / cells;
        std::memcpy(out + VertexBytes(index), &vertex, sizeof vertex);
    };
    for (uint32_t r = 0; r < n; ++r) {
        const bool even = r % 2 == 0;
        for (uint32_t m = 0; m <= n; ++m) {
            const uint32_t k = even ? m : n - m;
            const uint32_t a = even ? r : r + 1;
            const uint32_t b = even ? r + 1 : r;
            const uint32_t first = 2 * r * (n + 1) + 2 * m;
            put(first, a, k);
            put(first + 1, b, k);
        }
    }
}

HRESULT ObjectEffect::ComputeTexture(bool firstTime) {
    gfx::LockedRect locked;
    if (Texture == nullptr || Failed(LockWholeTexture(Texture, TextureSize, &locked))) {
        return E_FAIL;
    }
    RunGenerator(TexelSurface(locked.Bits, locked.Pitch, TextureSize), firstTime);
    Texture->UnlockRect(0);
    return S_OK;
}

// Soft disc and crescent are drawn once; the comets only when a setter marked them dirty.
void ObjectEffect::RunGenerator(const TexelSurface& surface, bool firstTime) {
    switch (Kind) {
        case Ripples:
            effect_textures::Ripples(surface, Spots(), Look());
            break;
        case SoftDisc:
            effect_textures::SoftDisc(surface, Look());
            break;
        case Crescent:
            if (firstTime) {
                effect_textures::Crescent(surface, Look());
            }
            break;
        case Comet:
            DrawComet(surface);
            break;
        case TintedComet:
            if (Dirty) {
                if (firstTime) {
                    DrawComet(surface);
                }
                effect_textures::Tint(surface, Look());
                Dirty = false;
            }
            break;
        case Splatter:
            effect_textures::Splatter(surface, Spots(), Look(), firstTime);
            break;
        default:
            break;
    }
}

// The light direction turned into the rectangle's own frame gives the tail.
void ObjectEffect::DrawComet(const TexelSurface& surface) {
    if (!Dirty) {
        return;
    }
    Dirty = false;
    float yaw = 0.0f;
    float pitch = 0.0f;
    FacingAngles(&yaw, &pitch);
    const Vec4 tail = Vec3Transform(LightDirection,
                                    MatrixMultiply(MatrixRotationY(-yaw), MatrixRotationX(-pitch)));
    effect_textures::Comet(surface, Look(), tail.x, tail.y);
}

// From the translation alone: the comet ignores its rotation.
void ObjectEffect::FacingAngles(float* yaw, float* pitch) const {
    const EyeFacing facing = FacingTheEye(Translation);
    *yaw = facing.Yaw;
    *pitch = facing.Pitch;
}

Matrix4 ObjectEffect::FacingWorld() const {
    float yaw = 0.0f;
    float pitch = 0.0f;
    FacingAngles(&yaw, &pitch);
    return MatrixMultiply(MatrixMultiply(MatrixRotationY(yaw), MatrixRotationX(pitch)),
                          Translation);
}

void ObjectEffect::Draw() {
    if (!RectangleReady || PrimitiveCount() == 0) {
        return;
    }
    GraphicsDevice->SetTexture(0, Texture);
    UseAdditiveStage();
    GraphicsDevice->SetStreamSource(0, VertexBuffer, 0, VertexStride);
    GraphicsDevice->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0, PrimitiveCount());
    GraphicsDevice->SetTexture(0, nullptr);
}
