#pragma once

#include <memory>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "platform/frame_capture.h"
#include "platform/gl/gl_context.h"
#include "platform/gl/gl_light_table.h"
#include "platform/gl/gl_program_cache.h"
#include "platform/gl/gl_render_states.h"
#include "platform/gl/gl_render_target.h"
#include "platform/gl/gl_uniform_state.h"
#include "platform/graphics_system.h"

namespace gfx {

// The graphics device over OpenGL 3.3 core or OpenGL ES 3.0 (WebGL 2), drawing into the surface of
// its context: an SDL window (a real one, or a pbuffer window of SDL's offscreen driver) or a
// canvas. Frames are drawn into a back buffer of the size given at creation and copied into the
// surface by Present.
//
// State setters only record; a draw brings the GL state and the shader's uniforms up to date for
// what changed since the previous draw. Lights are kept by index and uploaded, packed, only after
// a light, an enable or the view changed.
//
// The optimised path (the default) also ignores setters that change nothing, skips draws whose
// vertices all lie outside the view, lights each draw only with the lights that can reach its
// buffer's bounding sphere, and draws with a fragment shader made for the texture stage's setup.
// None of this changes a pixel.
//
// The surface's window must outlive the device. Resources stay safe to release after the device.
class GlVertexBuffer;

class GlDevice final : public Device, public FrameCapture {
public:
    struct Options {
        bool UseClipControl = true;  // false maps clip depth in the shader even where GL could
        // false draws every call as given, through one shader, uploading all state each time it
        // is set: the plain path the optimised one must match pixel for pixel.
        bool Optimise = true;
    };

    // Takes ownership of surface, whose context must be current.
    static HRESULT Create(std::unique_ptr<GlSurface> surface, const PresentParameters& parameters,
                          const Options& options, GlDevice** device, std::string* error);

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
    // Builds the programs of the setups and has the driver ready its code for them.
    HRESULT PrepareToDraw(std::span<const TextureStageSetup> setups) override;
    HRESULT Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Present() override;
    void Release() override;

    void SetFrameCapture(bool capture) override { CaptureFrames = capture; }
    bool ReadPresentedFrame(std::vector<uint8_t>& rgba, int& width, int& height) const override;
    // How many vertical syncs Present waits for; 0 does not wait. False if the window refuses.
    bool SetSwapInterval(int interval);

    // Programs compiled so far, and draws made with a program or render states that
    // PrepareToDraw had not readied. Neither moves after start-up when PrepareToDraw was given
    // every stage setup the drawing uses.
    uint32_t ProgramsBuilt() const { return Programs.Built(); }
    uint32_t UnpreparedDraws() const { return Unprepared; }

    int BackBufferWidth() const { return Target.Width(); }
    int BackBufferHeight() const { return Target.Height(); }
    // A new, empty back buffer of another size (a canvas shown larger); the view is unchanged.
    HRESULT ResizeBackBuffer(int width, int height);

private:
    explicit GlDevice(std::shared_ptr<GlContext> context);
    ~GlDevice() override = default;
    bool Initialise(const PresentParameters& parameters, const Options& options,
                    std::string* error);
    // The draw path (gl_device_draw.cpp).
    bool Culled(const GlVertexBuffer& buffer);
    void SubmitSome(uint32_t primitiveCount);
    // Forgets the part handed over last: a frame's parts end with it.
    void EndParts();
    void PrepareDraw(const GlVertexBuffer& buffer);
    void UpdateTransforms();
    void SelectLights(const GlVertexBuffer& buffer);
    void UseProgram();
    void BindTexture();
    void BindStream();
    // Start-up work (gl_device_prepare.cpp).
    struct WarmDraw {
        GlFixedFunctionProgram* Program;
        bool Textured;
        friend bool operator==(const WarmDraw&, const WarmDraw&) = default;
    };
    bool WarmUp(const std::vector<WarmDraw>& draws);
    void CountUnprepared();
    void CopyTargetToWindow();

    std::shared_ptr<GlContext> Context;
    GlProgramCache Programs;
    GlFixedFunctionProgram* CurrentProgram = nullptr;
    uint64_t ProgramStageVersion = 0;  // of the stage setup CurrentProgram was picked for
    GlUniformState Uniforms;
    GlRenderTarget Target;
    GlRenderStates States;
    GlLightTable Lights;
    GLuint VertexArray = 0;
    bool Optimise = true;
    Matrix4 World = Matrix4::Identity();
    Matrix4 View = Matrix4::Identity();
    Matrix4 Projection = Matrix4::Identity();
    Matrix4 ObjectToClip = Matrix4::Identity();
    uint32_t StreamOffset = 0;
    bool TransformsDirty = true;
    // The packed lights' slots that the uniforms hold; stale after the lights were packed again.
    uint32_t SelectedLights = 0;
    bool SelectionStale = true;
    bool InScene = false;
    uint32_t DrawsSinceSubmit = 0;
    uint64_t TrianglesSinceSubmit = 0;
    GLsync SubmittedPart = nullptr;
    // The programs PrepareToDraw readied, under the render states applied for the nth time.
    std::set<const GlFixedFunctionProgram*> Prepared;
    uint64_t PreparedStates = 0;
    uint32_t Unprepared = 0;
    const GlFixedFunctionProgram* CheckedProgram = nullptr;
    uint64_t CheckedStates = 0;
    bool CheckedReady = false;
    bool CaptureFrames = false;
    std::vector<uint8_t> CapturedFrame;
};

}  // namespace gfx
