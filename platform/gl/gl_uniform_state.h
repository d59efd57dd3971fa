#pragma once

#include <cstdint>

#include "geometry/matrix4.h"
#include "platform/gl/gl_light_table.h"
#include "platform/graphics_device.h"

namespace gfx {

// Texture stage 0: operation and two arguments for colour and for alpha, with Direct3D's values.
using StageSetup = TextureStageSetup;

// Everything the shaders read, in groups that are uploaded together. Each group carries a
// version that moves whenever the group changes, so every program can tell what it lacks.
struct GlUniformState {
    // The projection moves far less often than the object's transform.
    enum Group { Transforms, Projection, ClipFixup, Lighting, Material, Lights, Stage, GroupCount };

    Matrix4 WorldView = Matrix4::Identity();
    Matrix4 ProjectionMatrix = Matrix4::Identity();
    float NormalMatrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};  // rows first
    float Fixup[3] = {};  // x, y shift per unit w; 1 maps clip depth [0, w] to [-w, w]
    bool LightingOn = true;
    uint32_t Ambient = 0;
    gfx::Material CurrentMaterial;
    PackedLights PackedLightSet;
    StageSetup CurrentStage;
    bool TextureBound = false;

    uint64_t Versions[GroupCount] = {1, 1, 1, 1, 1, 1, 1};
    void Touch(Group group) { ++Versions[group]; }
};

}  // namespace gfx
