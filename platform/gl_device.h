#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/gl_context.h"
#include "platform/gl_fixed_function_program.h"
#include "platform/gl_light_table.h"
#include "platform/gl_render_states.h"
#include "platform/gl_render_target.h"
#include "platform/graphics_system.h"

namespace gfx {

// The graphics device over OpenGL 3.3 core, drawing into a window made with SDL_WINDOW_OPENGL:
// a real one, or a pbuffer window of SDL's offscreen driver. Frames are drawn into a back buffer
// of the size given at creation and copied into the window by Present.
//
// State setters only record; a draw brings the GL state and the shader's uniforms up to date for
// what changed since the previous draw. Lights are kept by index and uploaded, packed, only after
// a light, an enable or the view changed.
//
// The window must outlive the device. Resources stay safe to release after the device.
class GlDevice final : public Device {
  public:
    struct Options {
        bool UseClipControl = true;  // false maps clip depth in the shader even where GL could
    };

    // Takes ownership of context, which must be current for window.
    static HRESULT Create(SDL_Window* window, SDL_GLContext context,
                          const PresentParameters& parameters, const Options& options,
                          GlDevice** device, std::string* error);

    HRESULT CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t format,
                               VertexBuffer** buffer) override;
    HRESULT CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage,
                          Format format, Texture** texture) override;
    HRESULT CreateTextureFromPngInMemory(const void* data, size_t size, uint32_t colorKey,
                                         Texture** texture) override;
    HRESULT SetTransform(TransformState state, const Matrix4* matrix) override;
    HRESULT SetLight(uint32_t index, const Light* light) override;
    HRESULT LightEnable(uint32_t index, bool enable) override;
    HRESULT SetRenderState(RenderState state, uint32_t value) override;
    HRESULT SetMaterial(const Material* material) override;
    HRESULT SetTexture(uint32_t stage, Texture* texture) override;
    HRESULT SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value) override;
    HRESULT SetStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset,
                            uint32_t stride) override;
    HRESULT SetFVF(uint32_t format) override;
    HRESULT DrawPrimitive(PrimitiveType type, uint32_t startVertex,
                          uint32_t primitiveCount) override;
    HRESULT Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Present() override;
    void Release() override;

    // While capture is on, Present keeps a copy of the frame it shows (off by default: reading
    // the frame back stalls the pipeline).
    void SetFrameCapture(bool capture) { CaptureFrames = capture; }
    // The last frame Present kept: RGBA bytes, top row first, alpha 255, width x height pixels.
    // False when no frame has been kept yet.
    bool ReadPresentedFrame(std::vector<uint8_t>& rgba, int& width, int& height) const;
    // How many vertical syncs Present waits for; 0 does not wait. False if the window refuses.
    bool SetSwapInterval(int interval);

    int BackBufferWidth() const { return Target.Width(); }
    int BackBufferHeight() const { return Target.Height(); }

  private:
    explicit GlDevice(std::shared_ptr<GlContext> context);
    ~GlDevice() override = default;
    bool Initialise(const PresentParameters& parameters, const Options& options,
                    std::string* error);
    void PrepareDraw();
    void UploadTransforms();
    void BindStream();

    std::shared_ptr<GlContext> Context;
    GlFixedFunctionProgram Program;
    GlRenderTarget Target;
    GlRenderStates States;
    GlLightTable Lights;
    GLuint VertexArray = 0;
    Matrix4 World = Matrix4::Identity();
    Matrix4 View = Matrix4::Identity();
    Matrix4 Projection = Matrix4::Identity();
    Material CurrentMaterial;
    StageSetup Stage;
    uint32_t StreamOffset = 0;
    bool TransformsDirty = true;
    bool MaterialDirty = true;
    bool StageDirty = true;
    bool TextureBoundAtLastDraw = false;
    bool InScene = false;
    bool CaptureFrames = false;
    std::vector<uint8_t> CapturedFrame;
};

}  // namespace gfx
