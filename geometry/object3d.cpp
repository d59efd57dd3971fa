#include "geometry/object3d.h"

#include "geometry/matrix_math.h"

int32_t NextLightIndex = 1;

Object3D::Object3D() : Translation(Matrix4::Identity()), Rotation(Matrix4::Identity()) {}

void Object3D::SetTranslation(const Matrix4* m) { Translation = *m; }

void Object3D::SetRotation(const Matrix4* m) { Rotation = *m; }

Matrix4 Object3D::GetWorld() const { return MatrixMultiply(Rotation, Translation); }

const Matrix4* Object3D::GetTranslation() const { return &Translation; }

const Matrix4* Object3D::GetRotation() const { return &Rotation; }
