#pragma once

#include <cstddef>
#include <cstdint>

#include "geometry/vec3.h"

// The one vertex layout of all geometry: position, normal, ARGB diffuse, one texture coordinate.
struct Vertex {
    Vec3 Position;
    Vec3 Normal;
    uint32_t Diffuse = 0;
    float U = 0.0f;
    float V = 0.0f;
};

// Position | normal | diffuse | one texture coordinate set.
inline constexpr uint32_t VertexFormat = 0x152;
inline constexpr uint32_t VertexStride = 36;

static_assert(sizeof(Vertex) == VertexStride);
static_assert(offsetof(Vertex, Normal) == 12);
static_assert(offsetof(Vertex, Diffuse) == 24);
static_assert(offsetof(Vertex, U) == 28);
static_assert(offsetof(Vertex, V) == 32);

constexpr uint32_t VertexBytes(uint32_t count) { return count * VertexStride; }
