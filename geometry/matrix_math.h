#pragma once

#include "geometry/matrix4.h"
#include "geometry/vec3.h"

// The matrix and vector helpers of the drawing code, with the semantics of their Direct3D
// counterparts (row vectors, left-handed). All arithmetic is single precision.

Matrix4 MatrixTranslation(float x, float y, float z);
Matrix4 MatrixRotationX(float angle);
Matrix4 MatrixRotationY(float angle);
Matrix4 MatrixRotationZ(float angle);

// a x b: a point transformed by the result is transformed by a first, then by b.
Matrix4 MatrixMultiply(const Matrix4& a, const Matrix4& b);

// View matrix looking from eye towards at, left-handed.
Matrix4 MatrixLookAtLH(const Vec3& eye, const Vec3& at, const Vec3& up);

// Unit vector in the direction of v; the zero vector stays zero.
Vec3 Vec3Normalize(const Vec3& v);

// (v, 1) x m, without division by w.
Vec4 Vec3Transform(const Vec3& v, const Matrix4& m);
