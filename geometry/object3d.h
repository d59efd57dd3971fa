#pragma once

#include <cstdint>

#include "geometry/matrix4.h"
#include "platform/result.h"

// Light indices of the device: 0 is the scene's own light; every object that owns a light takes
// the counter's value at the end of a successful Create and increments it.
extern int32_t NextLightIndex;

// Base of every animated object: a placement (translation) and an orientation (rotation) that the
// timeline sets before each draw, and the Create / Update / Render life the scene drives.
class Object3D {
public:
    Object3D();
    Object3D(const Object3D&) = delete;
    Object3D& operator=(const Object3D&) = delete;
    virtual ~Object3D() = default;

    virtual void SetTranslation(const Matrix4* m);
    virtual void SetRotation(const Matrix4* m);
    // Rotation x Translation: rotate about the object's own origin, then place it.
    virtual Matrix4 GetWorld() const;
    virtual const Matrix4* GetTranslation() const;
    virtual const Matrix4* GetRotation() const;

    // Once, after the device exists: builds the device resources. E_FAIL at the first failing
    // device call, leaving what was made in place.
    virtual HRESULT Create() = 0;
    // Once per drawn frame, before anything is drawn: programs the object's light, if any.
    virtual int32_t Update() = 0;
    // Draws the object for the given scene time in milliseconds.
    virtual int32_t Render(uint32_t time) = 0;

protected:
    Matrix4 Translation;
    Matrix4 Rotation;
};
