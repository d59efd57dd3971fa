#pragma once

// GLSL for the fixed-function pipeline: per-vertex lighting in view space and texture stage 0.
// Matrices arrive as the row-vector matrices of the drawing code, uploaded as they lie in memory,
// so `M * v` here is `v x M` there.
namespace gfx {

// What every shader starts with: the language version, on OpenGL ES the precisions, and the
// order in which colours arrive. Vertex colours and texels lie in memory as B, G, R, A; desktop
// GL is told so, OpenGL ES takes them as R, G, B, A and the shaders swap them back.
#ifdef BANNER_GL_ES
inline constexpr const char* ShaderPrelude =
    "#version 300 es\nprecision highp float;\nprecision highp int;\n#define ColorOrder bgra\n";
#else
inline constexpr const char* ShaderPrelude = "#version 330 core\n#define ColorOrder rgba\n";
#endif

inline constexpr const char* FixedFunctionVertexShader = R"(
const int MaxLights = 32;

layout(location = 0) in vec3 Position;
layout(location = 1) in vec3 Normal;
layout(location = 2) in vec4 DiffuseAttribute;
layout(location = 3) in vec2 TexCoord;

uniform mat4 WorldView;
uniform mat4 Projection;
uniform mat3 NormalMatrix;
// xy: shift per unit of w that puts pixel centres where Direct3D has them; z: 1 when the clip
// depth [0, w] must be mapped to [-w, w] here.
uniform vec3 ClipFixup;
uniform bool Lighting;
uniform vec3 GlobalAmbient;
uniform vec3 MaterialAmbient;
uniform vec3 MaterialEmissive;
uniform int LightCount;
uniform vec4 LightPosition[MaxLights];
uniform vec3 LightDiffuse[MaxLights];
uniform vec3 LightAmbient[MaxLights];
uniform vec4 LightAttenuation[MaxLights];

out vec4 VertexColor;
out vec2 VertexTexCoord;

void main() {
    vec4 Diffuse = DiffuseAttribute.ColorOrder;
    vec4 viewPosition = WorldView * vec4(Position, 1.0);
    vec4 clip = Projection * viewPosition;
    clip.xy += ClipFixup.xy * clip.w;
    clip.z = mix(clip.z, 2.0 * clip.z - clip.w, ClipFixup.z);
    // Drawn upside down, with the image's top row first in the target, so that GL breaks the
    // ties of pixel centres on an edge as Direct3D does, in image terms.
    gl_Position = vec4(clip.x, -clip.y, clip.zw);
    VertexTexCoord = TexCoord;
    if (!Lighting) {
        VertexColor = Diffuse;
        return;
    }
    // Normals keep the length the transform gives them.
    vec3 normal = NormalMatrix * Normal;
    vec3 ambient = GlobalAmbient;
    vec3 diffuse = vec3(0.0);
    for (int i = 0; i < LightCount; ++i) {
        vec3 toLight = LightPosition[i].xyz - viewPosition.xyz * LightPosition[i].w;
        float d = length(toLight);
        vec4 k = LightAttenuation[i];
        // Beyond its range a light gives nothing, ambient included; near it, more than 1.
        float attenuation = d <= k.w ? 1.0 / (k.x + k.y * d + k.z * (d * d)) : 0.0;
        float facing = max(dot(normal, toLight / d), 0.0);
        ambient += LightAmbient[i] * attenuation;
        diffuse += LightDiffuse[i] * (facing * attenuation);
    }
    vec3 rgb = MaterialEmissive + MaterialAmbient * ambient + Diffuse.rgb * diffuse;
    VertexColor = vec4(clamp(rgb, 0.0, 1.0), Diffuse.a);
}
)";

inline constexpr const char* FixedFunctionFragmentShader = R"(
const int OpDisable = 1;
const int OpSelectArg1 = 2;
const int OpSelectArg2 = 3;
const int OpModulate = 4;
const int OpAdd = 7;
const int ArgDiffuse = 0;
const int ArgCurrent = 1;
const int ArgTexture = 2;
const int ArgSourceMask = 15;
const int ArgComplement = 16;
const int ArgAlphaReplicate = 32;

in vec4 VertexColor;
in vec2 VertexTexCoord;
out vec4 FragColor;

uniform sampler2D StageTexture;
uniform bool TextureBound;
uniform ivec3 ColorStage;  // operation, argument 1, argument 2
uniform ivec3 AlphaStage;

vec4 Argument(int argument, vec4 diffuse, vec4 texel) {
    int source = argument & ArgSourceMask;
    vec4 value = vec4(0.0);
    if (source == ArgTexture) {
        value = texel;
    } else if (source == ArgDiffuse || source == ArgCurrent) {
        value = diffuse;
    }
    if ((argument & ArgAlphaReplicate) != 0) {
        value = value.aaaa;
    }
    if ((argument & ArgComplement) != 0) {
        value = 1.0 - value;
    }
    return value;
}

vec4 Combine(ivec3 stage, vec4 diffuse, vec4 texel) {
    vec4 a1 = Argument(stage.y, diffuse, texel);
    vec4 a2 = Argument(stage.z, diffuse, texel);
    if (stage.x == OpSelectArg1) return a1;
    if (stage.x == OpSelectArg2) return a2;
    if (stage.x == OpModulate) return a1 * a2;
    if (stage.x == OpAdd) return clamp(a1 + a2, 0.0, 1.0);
    return diffuse;
}

void main() {
    // Without a texture the stage is not processed, whatever its operations read.
    if (!TextureBound || ColorStage.x == OpDisable) {
        FragColor = VertexColor;
        return;
    }
    vec4 texel = texture(StageTexture, VertexTexCoord).ColorOrder;
    FragColor = vec4(Combine(ColorStage, VertexColor, texel).rgb,
                     Combine(AlphaStage, VertexColor, texel).a);
}
)";

}  // namespace gfx
