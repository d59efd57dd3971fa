#include "platform/gl/gl_device.h"

#include <cstddef>
#include <cstring>

#include "geometry/matrix_math.h"
#include "geometry/vertex.h"
#include "platform/gl/gl_texture.h"
#include "platform/gl/gl_vertex_buffer.h"
#include "platform/png_image.h"

namespace gfx {
namespace {

constexpr uint32_t PresentIntervalImmediate = 0x80000000u;

#ifndef BANNER_GL_ES
bool HasClipControl() {
    GLint major = 0;
    GLint minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    if (major > 4 || (major == 4 && minor >= 5)) {
        return true;
    }
    GLint count = 0;
    glGetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i) {
        const char* name = reinterpret_cast<const char*>(glGetStringi(GL_EXTENSIONS, i));
        if (name != nullptr && std::string(name) == "GL_ARB_clip_control") {
            return true;
        }
    }
    return false;
}
#endif

// Direct3D's clip depth runs from 0 to w; true when GL was told so, false when the shader must
// map it. OpenGL ES cannot be told.
bool UseZeroToOneDepth(bool allowed, GlSurface& surface) {
#ifdef BANNER_GL_ES
    (void)allowed;
    (void)surface;
    return false;
#else
    if (!allowed || !HasClipControl()) {
        return false;
    }
    auto clipControl = reinterpret_cast<PFNGLCLIPCONTROLPROC>(surface.ProcAddress("glClipControl"));
    if (clipControl == nullptr) {
        return false;
    }
    clipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
    return glGetError() == GL_NO_ERROR;
#endif
}

}  // namespace

HRESULT GlDevice::Create(std::unique_ptr<GlSurface> surface, const PresentParameters& parameters,
                         const Options& options, GlDevice** device, std::string* error) {
    auto* created = new GlDevice(std::make_shared<GlContext>(std::move(surface)));
    if (!created->Initialise(parameters, options, error)) {
        created->Release();
        return E_FAIL;
    }
    *device = created;
    return S_OK;
}

GlDevice::GlDevice(std::shared_ptr<GlContext> context) : Context(std::move(context)) {}

bool GlDevice::Initialise(const PresentParameters& parameters, const Options& options,
                          std::string* error) {
    if (!Context->MakeCurrent()) {
        *error = "cannot make the OpenGL context current: " + Context->Surface().Error();
        return false;
    }
    Context->Optimise = options.Optimise;
    Optimise = options.Optimise;
    int width = static_cast<int>(parameters.BackBufferWidth);
    int height = static_cast<int>(parameters.BackBufferHeight);
    if (width == 0 || height == 0) {
        Context->Surface().DrawableSize(&width, &height);
    }
    if (!Target.Create(width, height)) {
        *error = "cannot make a back buffer with a 24-bit depth buffer";
        return false;
    }
    if (!Programs.BuildGeneral(error)) {
        return false;
    }
    CurrentProgram = &Programs.General();
    glGenVertexArrays(1, &VertexArray);
    glBindVertexArray(VertexArray);
    for (GLuint attribute = 0; attribute < 4; ++attribute) {
        glEnableVertexAttribArray(attribute);
    }
    glViewport(0, 0, width, height);
    // The back buffer has no alpha: it stays 1, which is what destination alpha reads.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    bool zeroToOne = UseZeroToOneDepth(options.UseClipControl, Context->Surface());
    // Direct3D samples pixels at integer positions, GL half a pixel further on.
    Uniforms.Fixup[0] = 1.0f / static_cast<float>(width);
    Uniforms.Fixup[1] = -1.0f / static_cast<float>(height);
    Uniforms.Fixup[2] = zeroToOne ? 0.0f : 1.0f;
    Uniforms.Touch(GlUniformState::ClipFixup);
    bool immediate = parameters.PresentationInterval == PresentIntervalImmediate;
    SetSwapInterval(immediate ? 0 : 1);
    return true;
}

void GlDevice::Release() {
    if (Context->MakeCurrent()) {
        EndParts();
        Programs.Destroy();
        Target.Destroy();
        glDeleteVertexArrays(1, &VertexArray);
    }
    Context->Destroy();
    delete this;
}

HRESULT GlDevice::CreateVertexBuffer(uint32_t length, uint32_t /*usage*/, uint32_t format,
                                     VertexBuffer** buffer) {
    if (buffer == nullptr || (format != VertexFormat && format != 0)) {
        return E_FAIL;
    }
    GlVertexBuffer* created = nullptr;
    HRESULT result = GlVertexBuffer::Create(Context, length, &created);
    *buffer = created;
    return result;
}

HRESULT GlDevice::CreateTexture(uint32_t width, uint32_t height, uint32_t levels,
                                uint32_t /*usage*/, Format format, Texture** texture) {
    if (texture == nullptr || format != Format::A8R8G8B8) {
        return E_FAIL;
    }
    GlTexture* created = nullptr;
    HRESULT result = GlTexture::Create(Context, width, height, levels, &created);
    *texture = created;
    return result;
}

HRESULT GlDevice::CreateTextureFromPngInMemory(const void* data, size_t size, uint32_t colorKey,
                                               Texture** texture) {
    PngImage image;
    std::string error;
    if (texture == nullptr || !PngImage::Decode(data, size, &image, &error)) {
        return E_FAIL;
    }
    const PngImage filled = image.AsTexture(colorKey);
    GlTexture* created = nullptr;
    LockedRect locked;
    if (Failed(GlTexture::Create(Context, filled.Width(), filled.Height(), 1, &created))) {
        return E_FAIL;
    }
    if (Failed(created->LockRect(0, &locked, nullptr, 0))) {
        created->Release();
        return E_FAIL;
    }
    filled.CopyTo(locked.Bits, locked.Pitch);
    created->UnlockRect(0);
    *texture = created;
    return S_OK;
}

HRESULT GlDevice::SetTransform(TransformState state, const Matrix4* matrix) {
    if (matrix == nullptr) {
        return E_FAIL;
    }
    Matrix4* target = nullptr;
    switch (state) {
        case TransformState::World:
            target = &World;
            break;
        case TransformState::View:
            target = &View;
            break;
        case TransformState::Projection:
            target = &Projection;
            break;
        default:
            return E_FAIL;
    }
    // Bit for bit: a negative zero is not the same matrix entry as a positive one.
    if (Optimise && std::memcmp(target, matrix, sizeof(Matrix4)) == 0) {
        return S_OK;
    }
    *target = *matrix;
    if (state == TransformState::View) {
        Lights.ViewChanged();
    }
    TransformsDirty = true;
    return S_OK;
}

HRESULT GlDevice::SetLight(uint32_t index, const Light* light) {
    if (light == nullptr) {
        return E_FAIL;
    }
    Lights.SetLight(index, *light);
    return S_OK;
}

HRESULT GlDevice::LightEnable(uint32_t index, bool enable) {
    Lights.Enable(index, enable);
    return S_OK;
}

HRESULT GlDevice::SetRenderState(RenderState state, uint32_t value) {
    return States.Set(state, value) ? S_OK : E_FAIL;
}

HRESULT GlDevice::SetMaterial(const Material* material) {
    if (material == nullptr) {
        return E_FAIL;
    }
    if (Optimise && std::memcmp(&Uniforms.CurrentMaterial, material, sizeof(Material)) == 0) {
        return S_OK;
    }
    Uniforms.CurrentMaterial = *material;
    Uniforms.Touch(GlUniformState::Material);
    return S_OK;
}

HRESULT GlDevice::SetTexture(uint32_t stage, Texture* texture) {
    auto* glTexture = dynamic_cast<GlTexture*>(texture);
    if (stage != 0 || (texture != nullptr && glTexture == nullptr)) {
        return E_FAIL;
    }
    Context->BoundTexture = glTexture;
    return S_OK;
}

HRESULT GlDevice::SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value) {
    if (stage != 0) {
        return E_FAIL;
    }
    StageSetup& setup = Uniforms.CurrentStage;
    uint32_t* slot = nullptr;
    switch (state) {
        case TextureStageState::ColorOp:
            slot = &setup.ColorOp;
            break;
        case TextureStageState::ColorArg1:
            slot = &setup.ColorArg1;
            break;
        case TextureStageState::ColorArg2:
            slot = &setup.ColorArg2;
            break;
        case TextureStageState::AlphaOp:
            slot = &setup.AlphaOp;
            break;
        case TextureStageState::AlphaArg1:
            slot = &setup.AlphaArg1;
            break;
        case TextureStageState::AlphaArg2:
            slot = &setup.AlphaArg2;
            break;
        default:
            return E_FAIL;
    }
    if (!Optimise || *slot != value) {
        *slot = value;
        Uniforms.Touch(GlUniformState::Stage);
    }
    return S_OK;
}

HRESULT GlDevice::SetStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset,
                                  uint32_t stride) {
    auto* glBuffer = dynamic_cast<GlVertexBuffer*>(buffer);
    bool usable = buffer == nullptr ||
                  (glBuffer != nullptr && stride == VertexStride && offset % VertexStride == 0);
    if (stream != 0 || !usable) {
        return E_FAIL;
    }
    if (!Optimise || Context->StreamSource != glBuffer || StreamOffset != offset) {
        Context->StreamSource = glBuffer;
        Context->StreamChanged = true;
        StreamOffset = offset;
    }
    return S_OK;
}

HRESULT GlDevice::SetFVF(uint32_t format) { return format == VertexFormat ? S_OK : E_FAIL; }

HRESULT GlDevice::Clear(uint32_t flags, uint32_t color, float z, uint32_t /*stencil*/) {
    if (!Context->MakeCurrent()) {
        return E_FAIL;
    }
    GLbitfield mask = 0;
    if ((flags & ClearTarget) != 0) {
        mask |= GL_COLOR_BUFFER_BIT;
        auto channel = [color](int shift) {
            return static_cast<float>((color >> shift) & 0xFF) / 255.0f;
        };
        glClearColor(channel(16), channel(8), channel(0), 1.0f);
    }
    if ((flags & ClearZBuffer) != 0) {
        mask |= GL_DEPTH_BUFFER_BIT;
#ifdef BANNER_GL_ES
        glClearDepthf(z);
#else
        glClearDepth(z);
#endif
    }
    // A clear covers the whole target whatever the write masks say.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glClear(mask);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    glDepthMask(States.DepthWrite() ? GL_TRUE : GL_FALSE);
    return S_OK;
}

HRESULT GlDevice::BeginScene() {
    if (InScene) {
        return E_FAIL;
    }
    InScene = true;
    return S_OK;
}

HRESULT GlDevice::EndScene() {
    if (!InScene) {
        return E_FAIL;
    }
    InScene = false;
    // Texels written but not drawn yet go to GL a few textures a frame (OpenGL ES alone defers
    // them): the sprites made at start-up are all there within seconds.
    constexpr size_t WaitingBytesPerFrame = 256 * 1024;
    if (Context->MakeCurrent()) {
        GlTexture::PrepareWaiting(*Context, WaitingBytesPerFrame);
    }
    return S_OK;
}

HRESULT GlDevice::Present() {
    if (!Context->MakeCurrent()) {
        return E_FAIL;
    }
    if (CaptureFrames) {
        Target.Read(CapturedFrame);
    }
    CopyTargetToWindow();
    Context->Surface().Swap();
    EndParts();
    return S_OK;
}

void GlDevice::CopyTargetToWindow() {
    int width = 0;
    int height = 0;
    Context->Surface().DrawableSize(&width, &height);
    Target.CopyToWindow(width, height);
}

bool GlDevice::ReadPresentedFrame(std::vector<uint8_t>& rgba, int& width, int& height) const {
    if (CapturedFrame.empty()) {
        return false;
    }
    rgba = CapturedFrame;
    width = Target.Width();
    height = Target.Height();
    return true;
}

bool GlDevice::SetSwapInterval(int interval) {
    return Context->MakeCurrent() && Context->Surface().SetSwapInterval(interval);
}

}  // namespace gfx
