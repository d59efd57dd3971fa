#include "geometry/matrix_math.h"
#include "platform/process_globals.h"
#include "scene/talvo_scene0001.h"

int32_t CTalvoScene0001::SetupLights() {
    gfx::Light light{};
    light.Type = gfx::LightType::Directional;
    // Alpha 0 on purpose: only the colour of the light matters.
    light.Diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
    light.Position = {-2.0f, 2.0f, -10.0f};
    light.Direction = Vec3Normalize({0.0f, -1.0f, 1.0f});
    light.Range = 1000.0f;
    GraphicsDevice->SetLight(0, &light);
    GraphicsDevice->LightEnable(0, true);
    GraphicsDevice->SetRenderState(gfx::RenderState::Lighting, 1);
    GraphicsDevice->SetRenderState(gfx::RenderState::Ambient, 0xFF202020);
    ForEachObject([](Object3D* object) { object->Update(); });
    return 0;
}
