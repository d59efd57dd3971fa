#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "geometry/vertex.h"
#include "platform/graphics_device.h"

// A graphics device for unit tests. It keeps buffer and texture contents in memory, records the
// calls made on it and the state in force at every draw, and can be told to fail a chosen
// creation, lock or BeginScene call. Its textures report a pitch wider than width x 4, so code
// that ignores the pitch shows wrong texels.
namespace testing_support {

class RecordingDevice;

class RecordingVertexBuffer final : public gfx::VertexBuffer {
public:
    HRESULT Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) override;
    HRESULT Unlock() override;
    uint32_t Length() const override { return static_cast<uint32_t>(Bytes.size()); }
    void Release() override;

    const Vertex* Vertices() const { return reinterpret_cast<const Vertex*>(Bytes.data()); }
    uint32_t VertexCapacity() const { return Length() / VertexStride; }
    const Vertex& At(uint32_t index) const;

    std::vector<uint8_t> Bytes;
    uint32_t Usage = 0;
    uint32_t Format = 0;
    bool Locked = false;
    int LockCount = 0;
    int UnlockCount = 0;
    int ReleaseCount = 0;

private:
    friend class RecordingDevice;
    explicit RecordingVertexBuffer(RecordingDevice* device) : Owner(device) {}
    ~RecordingVertexBuffer() override = default;
    RecordingDevice* Owner;
};

class RecordingTexture final : public gfx::Texture {
public:
    // Bytes between rows: wider than a row of texels on purpose.
    static constexpr uint32_t PitchPadding = 64;
    // What the padding holds; a generator that writes there ignored the pitch.
    static constexpr uint8_t PaddingByte = 0xCD;

    HRESULT LockRect(uint32_t level, gfx::LockedRect* locked, const gfx::Rect* rect,
                     uint32_t flags) override;
    HRESULT UnlockRect(uint32_t level) override;
    uint32_t Width() const override { return TextureWidth; }
    uint32_t Height() const override { return TextureHeight; }
    uint32_t LevelCount() const override { return Levels; }
    void Release() override;

    uint32_t Pitch() const { return TextureWidth * 4 + PitchPadding; }
    // Level 0 texel at column x of row y, as 0xAARRGGBB.
    uint32_t Texel(uint32_t x, uint32_t y) const;
    // True while no byte of the row padding has been written.
    bool PaddingUntouched() const;

    std::vector<uint8_t> Level0;  // Height() rows of Pitch() bytes
    uint32_t Usage = 0;
    bool FromPng = false;
    bool Locked = false;
    int LockCount = 0;
    int UnlockCount = 0;
    int ReleaseCount = 0;

private:
    friend class RecordingDevice;
    RecordingTexture(RecordingDevice* device, uint32_t width, uint32_t height, uint32_t levels);
    ~RecordingTexture() override = default;
    RecordingDevice* Owner;
    uint32_t TextureWidth;
    uint32_t TextureHeight;
    uint32_t Levels;
};

// The device operations that can be made to fail.
enum class Operation {
    CreateVertexBuffer,
    CreateTexture,
    CreateTextureFromPng,
    LockVertexBuffer,
    LockTexture,
    BeginScene,
};

// One call, with its integer arguments in order and the object or matrix it was given.
struct RecordedCall {
    std::string Name;
    std::vector<uint32_t> Arguments;
    const void* Object = nullptr;
    Matrix4 Matrix;
};

// The state in force when a DrawPrimitive call was made.
struct DrawRecord {
    const RecordingVertexBuffer* Buffer = nullptr;
    uint32_t StartVertex = 0;
    uint32_t PrimitiveCount = 0;
    uint32_t Stride = 0;
    uint32_t Fvf = 0;
    Matrix4 World;
    Matrix4 View;
    Matrix4 Projection;
    const RecordingTexture* Texture = nullptr;
    uint32_t ColorOp = 0;
    uint32_t ColorArg1 = 0;
    uint32_t ColorArg2 = 0;
    uint32_t AlphaOp = 0;
    uint32_t AlphaArg1 = 0;
    uint32_t AlphaArg2 = 0;
    gfx::Material Material;
    std::vector<uint32_t> EnabledLights;  // ascending
};

class RecordingDevice final : public gfx::Device {
public:
    RecordingDevice();
    ~RecordingDevice() override;
    RecordingDevice(const RecordingDevice&) = delete;
    RecordingDevice& operator=(const RecordingDevice&) = delete;

    HRESULT CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t format,
                               gfx::VertexBuffer** buffer) override;
    HRESULT CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage,
                          gfx::Format format, gfx::Texture** texture) override;
    HRESULT CreateTextureFromPngInMemory(const void* data, size_t size, uint32_t colorKey,
                                         gfx::Texture** texture) override;
    HRESULT SetTransform(gfx::TransformState state, const Matrix4* matrix) override;
    HRESULT SetLight(uint32_t index, const gfx::Light* light) override;
    HRESULT LightEnable(uint32_t index, bool enable) override;
    HRESULT SetRenderState(gfx::RenderState state, uint32_t value) override;
    HRESULT SetMaterial(const gfx::Material* material) override;
    HRESULT SetTexture(uint32_t stage, gfx::Texture* texture) override;
    HRESULT SetTextureStageState(uint32_t stage, gfx::TextureStageState state,
                                 uint32_t value) override;
    HRESULT SetStreamSource(uint32_t stream, gfx::VertexBuffer* buffer, uint32_t offset,
                            uint32_t stride) override;
    HRESULT SetFVF(uint32_t format) override;
    HRESULT DrawPrimitive(gfx::PrimitiveType type, uint32_t startVertex,
                          uint32_t primitiveCount) override;
    HRESULT Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Present() override;
    void Release() override { ++ReleaseCount; }

    // Makes the n-th call (counting from 0, from now on) of an operation fail with E_FAIL.
    void FailCall(Operation operation, int n = 0);
    // How many calls of an operation were made since the device was made.
    int CallCount(Operation operation) const;

    // Forgets the recorded calls and draws; the device state stays.
    void ClearRecords();
    // Names of the recorded calls, in order.
    std::vector<std::string> CallNames() const;
    int CountCalls(const std::string& name) const;
    uint64_t TrianglesDrawn() const;

    // Resources made so far, in creation order.
    const std::vector<RecordingVertexBuffer*>& VertexBuffers() const { return Buffers; }
    const std::vector<RecordingTexture*>& Textures() const { return TextureList; }

    // Current device state.
    const Matrix4& Transform(gfx::TransformState state) const;
    const std::map<uint32_t, gfx::Light>& Lights() const { return LightTable; }
    bool IsLightEnabled(uint32_t index) const;
    uint32_t RenderStateValue(gfx::RenderState state) const;
    uint32_t StageState(gfx::TextureStageState state) const;
    const gfx::Material& CurrentMaterial() const { return MaterialState; }
    const RecordingTexture* CurrentTexture() const { return BoundTexture; }

    std::vector<RecordedCall> Calls;
    std::vector<DrawRecord> Draws;
    // Uses a real device would refuse or that read what does not exist: drawing without a
    // buffer, from a locked or released one, beyond its end, with a locked or released texture,
    // releasing twice. A correct caller makes none, whatever failed before.
    std::vector<std::string> Violations;
    int ReleaseCount = 0;
    int FramesPresented = 0;
    bool InScene = false;

private:
    friend class RecordingVertexBuffer;
    friend class RecordingTexture;
    bool ShouldFail(Operation operation);
    void CheckDraw(uint32_t startVertex, uint32_t primitiveCount);
    void Record(std::string name, std::vector<uint32_t> arguments, const void* object = nullptr,
                const Matrix4* matrix = nullptr);

    std::vector<RecordingVertexBuffer*> Buffers;
    std::vector<RecordingTexture*> TextureList;
    std::map<Operation, int> CallCounts;
    std::map<Operation, std::vector<int>> PlannedFailures;  // absolute call numbers
    std::map<uint32_t, Matrix4> TransformTable;
    std::map<uint32_t, gfx::Light> LightTable;
    std::map<uint32_t, bool> EnabledTable;
    std::map<uint32_t, uint32_t> RenderStates;
    std::map<uint32_t, uint32_t> StageStates;
    gfx::Material MaterialState;
    RecordingTexture* BoundTexture = nullptr;
    RecordingVertexBuffer* Stream = nullptr;
    uint32_t StreamStride = 0;
    uint32_t Fvf = 0;
};

}  // namespace testing_support
