#include "tests/support/recording_device.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace testing_support {

namespace {

// Direct3D's default stage 0 states.
std::map<uint32_t, uint32_t> DefaultStageStates() {
    using gfx::TextureStageState;
    return {
        {static_cast<uint32_t>(TextureStageState::ColorOp), gfx::TextureOpModulate},
        {static_cast<uint32_t>(TextureStageState::ColorArg1), gfx::TextureArgTexture},
        {static_cast<uint32_t>(TextureStageState::ColorArg2), gfx::TextureArgCurrent},
        {static_cast<uint32_t>(TextureStageState::AlphaOp), gfx::TextureOpSelectArg1},
        {static_cast<uint32_t>(TextureStageState::AlphaArg1), gfx::TextureArgTexture},
        {static_cast<uint32_t>(TextureStageState::AlphaArg2), gfx::TextureArgCurrent},
    };
}

uint32_t Key(gfx::TransformState state) { return static_cast<uint32_t>(state); }

}  // namespace

HRESULT RecordingVertexBuffer::Lock(uint32_t offset, uint32_t size, void** data, uint32_t) {
    if (Owner->ShouldFail(Operation::LockVertexBuffer)) {
        return E_FAIL;
    }
    if (offset > Bytes.size() || size > Bytes.size() - offset) {
        return E_FAIL;
    }
    ++LockCount;
    Locked = true;
    *data = Bytes.data() + offset;
    return S_OK;
}

HRESULT RecordingVertexBuffer::Unlock() {
    ++UnlockCount;
    Locked = false;
    return S_OK;
}

void RecordingVertexBuffer::Release() {
    if (++ReleaseCount > 1) {
        Owner->Violations.push_back("vertex buffer released twice");
    }
}

const Vertex& RecordingVertexBuffer::At(uint32_t index) const {
    if (index >= VertexCapacity()) {
        throw std::out_of_range("vertex index beyond the buffer");
    }
    return Vertices()[index];
}

RecordingTexture::RecordingTexture(RecordingDevice* device, uint32_t width, uint32_t height,
                                   uint32_t levels)
    : Owner(device), TextureWidth(width), TextureHeight(height), Levels(levels) {
    Level0.assign(static_cast<size_t>(Pitch()) * height, 0);
    for (uint32_t row = 0; row < height; ++row) {
        uint8_t* padding = Level0.data() + static_cast<size_t>(row) * Pitch() + width * 4;
        std::memset(padding, PaddingByte, PitchPadding);
    }
}

HRESULT RecordingTexture::LockRect(uint32_t level, gfx::LockedRect* locked, const gfx::Rect*,
                                   uint32_t) {
    if (Owner->ShouldFail(Operation::LockTexture)) {
        return E_FAIL;
    }
    if (level != 0) {
        return E_FAIL;
    }
    ++LockCount;
    Locked = true;
    locked->Pitch = static_cast<int32_t>(Pitch());
    locked->Bits = Level0.data();
    return S_OK;
}

HRESULT RecordingTexture::UnlockRect(uint32_t) {
    ++UnlockCount;
    Locked = false;
    return S_OK;
}

void RecordingTexture::Release() {
    if (++ReleaseCount > 1) {
        Owner->Violations.push_back("texture released twice");
    }
}

uint32_t RecordingTexture::Texel(uint32_t x, uint32_t y) const {
    if (x >= TextureWidth || y >= TextureHeight) {
        throw std::out_of_range("texel beyond the texture");
    }
    uint32_t value = 0;
    std::memcpy(&value, Level0.data() + static_cast<size_t>(y) * Pitch() + x * 4, 4);
    return value;
}

bool RecordingTexture::PaddingUntouched() const {
    for (uint32_t row = 0; row < TextureHeight; ++row) {
        const uint8_t* padding =
            Level0.data() + static_cast<size_t>(row) * Pitch() + TextureWidth * 4;
        if (!std::all_of(padding, padding + PitchPadding,
                         [](uint8_t byte) { return byte == PaddingByte; })) {
            return false;
        }
    }
    return true;
}

RecordingDevice::RecordingDevice() : StageStates(DefaultStageStates()) {
    const Matrix4 identity = Matrix4::Identity();
    TransformTable[Key(gfx::TransformState::World)] = identity;
    TransformTable[Key(gfx::TransformState::View)] = identity;
    TransformTable[Key(gfx::TransformState::Projection)] = identity;
}

RecordingDevice::~RecordingDevice() {
    for (RecordingVertexBuffer* buffer : Buffers) {
        delete buffer;
    }
    for (RecordingTexture* texture : TextureList) {
        delete texture;
    }
}

bool RecordingDevice::ShouldFail(Operation operation) {
    const int number = CallCounts[operation]++;
    std::vector<int>& planned = PlannedFailures[operation];
    const auto found = std::find(planned.begin(), planned.end(), number);
    if (found == planned.end()) {
        return false;
    }
    planned.erase(found);
    return true;
}

void RecordingDevice::FailCall(Operation operation, int n) {
    PlannedFailures[operation].push_back(CallCount(operation) + n);
}

int RecordingDevice::CallCount(Operation operation) const {
    const auto found = CallCounts.find(operation);
    return found == CallCounts.end() ? 0 : found->second;
}

void RecordingDevice::Record(std::string name, std::vector<uint32_t> arguments, const void* object,
                             const Matrix4* matrix) {
    RecordedCall call;
    call.Name = std::move(name);
    call.Arguments = std::move(arguments);
    call.Object = object;
    if (matrix != nullptr) {
        call.Matrix = *matrix;
    }
    Calls.push_back(std::move(call));
}

HRESULT RecordingDevice::CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t format,
                                            gfx::VertexBuffer** buffer) {
    Record("CreateVertexBuffer", {length, usage, format});
    if (ShouldFail(Operation::CreateVertexBuffer)) {
        return E_FAIL;
    }
    auto* created = new RecordingVertexBuffer(this);
    created->Bytes.assign(length, 0);
    created->Usage = usage;
    created->Format = format;
    Buffers.push_back(created);
    *buffer = created;
    return S_OK;
}

HRESULT RecordingDevice::CreateTexture(uint32_t width, uint32_t height, uint32_t levels,
                                       uint32_t usage, gfx::Format format, gfx::Texture** texture) {
    Record("CreateTexture", {width, height, levels, usage, static_cast<uint32_t>(format)});
    if (ShouldFail(Operation::CreateTexture)) {
        return E_FAIL;
    }
    uint32_t chain = 1;
    while ((width >> chain) > 0 || (height >> chain) > 0) {
        ++chain;
    }
    auto* created =
        new RecordingTexture(this, width, height, levels == gfx::FullMipChain ? chain : levels);
    created->Usage = usage;
    TextureList.push_back(created);
    *texture = created;
    return S_OK;
}

HRESULT RecordingDevice::CreateTextureFromPngInMemory(const void* data, size_t size,
                                                      uint32_t colorKey, gfx::Texture** texture) {
    Record("CreateTextureFromPngInMemory", {static_cast<uint32_t>(size), colorKey}, data);
    if (ShouldFail(Operation::CreateTextureFromPng)) {
        return E_FAIL;
    }
    // The double does not decode; it stands for the texture a 393 x 150 image becomes.
    auto* created = new RecordingTexture(this, 512, 256, 1);
    created->FromPng = true;
    TextureList.push_back(created);
    *texture = created;
    return S_OK;
}

HRESULT RecordingDevice::SetTransform(gfx::TransformState state, const Matrix4* matrix) {
    Record("SetTransform", {Key(state)}, nullptr, matrix);
    TransformTable[Key(state)] = *matrix;
    return S_OK;
}

HRESULT RecordingDevice::SetLight(uint32_t index, const gfx::Light* light) {
    Record("SetLight", {index});
    LightTable[index] = *light;
    return S_OK;
}

HRESULT RecordingDevice::LightEnable(uint32_t index, bool enable) {
    Record("LightEnable", {index, enable ? 1u : 0u});
    EnabledTable[index] = enable;
    return S_OK;
}

HRESULT RecordingDevice::SetRenderState(gfx::RenderState state, uint32_t value) {
    Record("SetRenderState", {static_cast<uint32_t>(state), value});
    RenderStates[static_cast<uint32_t>(state)] = value;
    return S_OK;
}

HRESULT RecordingDevice::SetMaterial(const gfx::Material* material) {
    Record("SetMaterial", {});
    MaterialState = *material;
    return S_OK;
}

HRESULT RecordingDevice::SetTexture(uint32_t stage, gfx::Texture* texture) {
    Record("SetTexture", {stage}, texture);
    if (texture != nullptr && static_cast<RecordingTexture*>(texture)->ReleaseCount > 0) {
        Violations.push_back("released texture bound");
    }
    BoundTexture = static_cast<RecordingTexture*>(texture);
    return S_OK;
}

HRESULT RecordingDevice::SetTextureStageState(uint32_t stage, gfx::TextureStageState state,
                                              uint32_t value) {
    Record("SetTextureStageState", {stage, static_cast<uint32_t>(state), value});
    StageStates[static_cast<uint32_t>(state)] = value;
    return S_OK;
}

HRESULT RecordingDevice::SetStreamSource(uint32_t stream, gfx::VertexBuffer* buffer,
                                         uint32_t offset, uint32_t stride) {
    Record("SetStreamSource", {stream, offset, stride}, buffer);
    Stream = static_cast<RecordingVertexBuffer*>(buffer);
    StreamStride = stride;
    return S_OK;
}

HRESULT RecordingDevice::SetFVF(uint32_t format) {
    Record("SetFVF", {format});
    Fvf = format;
    return S_OK;
}

HRESULT RecordingDevice::DrawPrimitive(gfx::PrimitiveType type, uint32_t startVertex,
                                       uint32_t primitiveCount) {
    Record("DrawPrimitive", {static_cast<uint32_t>(type), startVertex, primitiveCount}, Stream);
    CheckDraw(startVertex, primitiveCount);
    DrawRecord draw;
    draw.Buffer = Stream;
    draw.StartVertex = startVertex;
    draw.PrimitiveCount = primitiveCount;
    draw.Stride = StreamStride;
    draw.Fvf = Fvf;
    draw.World = Transform(gfx::TransformState::World);
    draw.View = Transform(gfx::TransformState::View);
    draw.Projection = Transform(gfx::TransformState::Projection);
    draw.Texture = BoundTexture;
    draw.ColorOp = StageState(gfx::TextureStageState::ColorOp);
    draw.ColorArg1 = StageState(gfx::TextureStageState::ColorArg1);
    draw.ColorArg2 = StageState(gfx::TextureStageState::ColorArg2);
    draw.AlphaOp = StageState(gfx::TextureStageState::AlphaOp);
    draw.AlphaArg1 = StageState(gfx::TextureStageState::AlphaArg1);
    draw.AlphaArg2 = StageState(gfx::TextureStageState::AlphaArg2);
    draw.Material = MaterialState;
    for (const auto& [index, enabled] : EnabledTable) {
        if (enabled) {
            draw.EnabledLights.push_back(index);
        }
    }
    Draws.push_back(draw);
    return S_OK;
}

void RecordingDevice::CheckDraw(uint32_t startVertex, uint32_t primitiveCount) {
    if (Stream == nullptr) {
        Violations.push_back("draw without a vertex buffer");
        return;
    }
    if (Stream->Locked || Stream->ReleaseCount > 0) {
        Violations.push_back("draw from a locked or released vertex buffer");
    }
    const uint64_t end = (uint64_t{startVertex} + primitiveCount + 2) * StreamStride;
    if (end > Stream->Length()) {
        Violations.push_back("draw beyond the end of its vertex buffer");
    }
    if (BoundTexture != nullptr && (BoundTexture->Locked || BoundTexture->ReleaseCount > 0)) {
        Violations.push_back("draw with a locked or released texture");
    }
}

HRESULT RecordingDevice::Clear(uint32_t flags, uint32_t color, float, uint32_t stencil) {
    Record("Clear", {flags, color, stencil});
    return S_OK;
}

HRESULT RecordingDevice::BeginScene() {
    Record("BeginScene", {});
    if (ShouldFail(Operation::BeginScene)) {
        return E_FAIL;
    }
    InScene = true;
    return S_OK;
}

HRESULT RecordingDevice::EndScene() {
    Record("EndScene", {});
    InScene = false;
    return S_OK;
}

HRESULT RecordingDevice::Present() {
    Record("Present", {});
    ++FramesPresented;
    return S_OK;
}

void RecordingDevice::ClearRecords() {
    Calls.clear();
    Draws.clear();
}

std::vector<std::string> RecordingDevice::CallNames() const {
    std::vector<std::string> names;
    names.reserve(Calls.size());
    for (const RecordedCall& call : Calls) {
        names.push_back(call.Name);
    }
    return names;
}

int RecordingDevice::CountCalls(const std::string& name) const {
    return static_cast<int>(std::count_if(
        Calls.begin(), Calls.end(), [&](const RecordedCall& call) { return call.Name == name; }));
}

uint64_t RecordingDevice::TrianglesDrawn() const {
    uint64_t total = 0;
    for (const DrawRecord& draw : Draws) {
        total += draw.PrimitiveCount;
    }
    return total;
}

const Matrix4& RecordingDevice::Transform(gfx::TransformState state) const {
    return TransformTable.at(Key(state));
}

bool RecordingDevice::IsLightEnabled(uint32_t index) const {
    const auto found = EnabledTable.find(index);
    return found != EnabledTable.end() && found->second;
}

uint32_t RecordingDevice::RenderStateValue(gfx::RenderState state) const {
    const auto found = RenderStates.find(static_cast<uint32_t>(state));
    return found == RenderStates.end() ? 0 : found->second;
}

uint32_t RecordingDevice::StageState(gfx::TextureStageState state) const {
    return StageStates.at(static_cast<uint32_t>(state));
}

}  // namespace testing_support
