#include "objects/gear/object_gear.h"

#include "geometry/bezier_path.h"
#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "platform/message_box.h"
#include "platform/process_globals.h"

ObjectGear::ObjectGear(uint32_t segmentCount, float hubRadius, float rootRadius, float tipRadius,
                       float thickness, uint32_t toothCount, uint32_t innerColor,
                       uint32_t outerColor)
    : SegmentCount(segmentCount),
      HubRadius(hubRadius),
      RootRadius(rootRadius),
      TipRadius(tipRadius),
      Thickness(thickness),
      ToothCount(toothCount),
      InnerColor(innerColor),
      OuterColor(outerColor),
      Shape(ToothShape::Compute(rootRadius, tipRadius, toothCount)) {}

ObjectGear::~ObjectGear() { ReleaseBuffers(Buffers()); }

ObjectGear::BufferSlots ObjectGear::Buffers() {
    const uint32_t length = VertexBytes(VerticesPerBuffer());
    return {{{&FrontFaceBuffer, length},
             {&BoreBuffer, length},
             {&RimBuffer, length},
             {&BackFaceBuffer, length}}};
}

HRESULT ObjectGear::Create() {
    const BufferSlots slots = Buffers();
    VertexArrays arrays{};
    if (Failed(CreateLockedBuffers(slots, arrays))) {
        return E_FAIL;
    }
    FillProfile(arrays);
    UnlockBuffers(slots);
    Built = true;
    return S_OK;
}

int32_t ObjectGear::Update() { return 0; }

int32_t ObjectGear::Render(uint32_t) {
    const Matrix4 world = GetWorld();
    GraphicsDevice->SetTransform(gfx::TransformState::World, &world);
    GraphicsDevice->SetFVF(VertexFormat);
    if (!Built) {
        return 0;
    }
    for (const BufferSlot& slot : Buffers()) {
        GraphicsDevice->SetStreamSource(0, *slot.Buffer, 0, VertexStride);
        GraphicsDevice->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0, 2 * SegmentCount);
    }
    return 0;
}

float ObjectGear::SampleAngle(uint32_t i) const {
    return static_cast<float>(static_cast<double>(i) * f32::TwoPiWide /
                              static_cast<double>(SegmentCount));
}

ObjectGear::ProfilePoint ObjectGear::ProfileAt(float phi) const {
    const int32_t tooth = static_cast<int32_t>(phi / Shape.Pitch);
    const float theta0 = static_cast<float>(tooth) * Shape.Pitch;
    const float theta1 = theta0 + Shape.RootLandAngle;
    const float theta2 = theta1 + Shape.FlankAngle;
    const float theta3 = theta2 + Shape.TipLandAngle;
    const float theta4 = theta3 + Shape.FlankAngle;
    const Vec3 radial{f32::cos(phi), f32::sin(phi), 0.0f};
    if (theta0 <= phi && phi <= theta1) {
        return {ToothPart::RootLand, RootRadius * radial, radial, RootRadius};
    }
    if (phi <= theta2) {
        return FlankPoint(phi, theta1, theta2, true);
    }
    if (phi <= theta3) {
        return {ToothPart::TipLand, TipRadius * radial, radial, TipRadius};
    }
    if (phi <= theta4) {
        return FlankPoint(phi, theta3, theta4, false);
    }
    return {};
}

// A flank from angle `from` to angle `to`: it leaves the root circle radially and meets the tip
// circle along a handle tilted by the pressure angle, aimed from the sample's own angle.
ObjectGear::ProfilePoint ObjectGear::FlankPoint(float phi, float from, float to,
                                                bool rising) const {
    const float d = Shape.HandleLength;
    const float alpha = Shape.PressureAngle;
    const float tilted = rising ? phi + alpha : phi - alpha;
    const Vec3 handle{f32::cos(tilted), f32::sin(tilted), 0.0f};
    const Vec3 start{f32::cos(from), f32::sin(from), 0.0f};
    const Vec3 end{f32::cos(to), f32::sin(to), 0.0f};
    BezierPath flank;
    if (rising) {
        const Vec3 tip = TipRadius * end;
        flank = BezierPath(RootRadius * start, (RootRadius + d) * start, tip - d * handle, tip, 0);
    } else {
        const Vec3 tip = TipRadius * start;
        flank = BezierPath(tip, tip - d * handle, (RootRadius + d) * end, RootRadius * end, 0);
    }
    const float s = (phi - from) / Shape.FlankAngle;
    const Vec3 up{0.0f, 0.0f, 1.0f};
    return {rising ? ToothPart::RisingFlank : ToothPart::FallingFlank, flank.GetPoint(s),
            Vec3Normalize(flank.GetNormal(s, &up)), (RootRadius + TipRadius) / 2.0f};
}

void ObjectGear::FillProfile(const VertexArrays& arrays) const {
    for (uint32_t i = 0; i <= SegmentCount; ++i) {
        const float phi = SampleAngle(i);
        const ProfilePoint q = ProfileAt(phi);
        if (q.Part == ToothPart::BeyondTooth) {
            ShowErrorBox("Vertex Wheel Computing Error - Program continuing", "Init Error");
            FillRemainder(arrays, 2 * i);
            return;
        }
        WriteSample(arrays, i, phi, q);
    }
}

// The strips are drawn whole: what the profile did not reach repeats the last vertex written,
// so the rest of each strip collapses into invisible degenerate triangles.
void ObjectGear::FillRemainder(const VertexArrays& arrays, uint32_t firstUnwritten) const {
    for (Vertex* vertices : arrays) {
        const Vertex last = firstUnwritten > 0 ? vertices[firstUnwritten - 1] : Vertex{};
        for (uint32_t v = firstUnwritten; v < VerticesPerBuffer(); ++v) {
            vertices[v] = last;
        }
    }
}

Vertex ObjectGear::HubVertex(float phi, float z) const {
    Vertex vertex;
    vertex.Position = {HubRadius * f32::cos(phi), HubRadius * f32::sin(phi), z};
    vertex.Diffuse = InnerColor;
    return vertex;
}

namespace {

// Planar mapping of the disc of radius tipRadius onto the unit square, v growing towards -y.
void SetFaceTexture(Vertex& vertex, float radius, float phi, float tipRadius) {
    vertex.U = (1.0f + radius * f32::cos(phi) / tipRadius) / 2.0f;
    vertex.V = (1.0f - radius * f32::sin(phi) / tipRadius) / 2.0f;
}

Vertex WithNormal(Vertex vertex, const Vec3& normal) {
    vertex.Normal = normal;
    return vertex;
}

Vertex WithTexture(Vertex vertex, float u, float v) {
    vertex.U = u;
    vertex.V = v;
    return vertex;
}

}  // namespace

void ObjectGear::WriteSample(const VertexArrays& arrays, uint32_t i, float phi,
                             const ProfilePoint& q) const {
    const Vec3 toFront{0.0f, 0.0f, -1.0f};
    const Vec3 toBack{0.0f, 0.0f, 1.0f};
    const Vec3 toAxis{-f32::cos(phi), -f32::sin(phi), 0.0f};
    const float wallU = phi / f32::TwoPi;

    Vertex hubFront = HubVertex(phi, 0.0f);
    Vertex hubBack = HubVertex(phi, Thickness);
    Vertex outlineFront;
    outlineFront.Position = q.Position;
    outlineFront.Diffuse = OuterColor;
    Vertex outlineBack = outlineFront;
    outlineBack.Position.z = Thickness;

    const auto [front, bore, rim, back] = arrays;
    SetFaceTexture(hubFront, HubRadius, phi, TipRadius);
    SetFaceTexture(outlineFront, q.TextureRadius, phi, TipRadius);
    front[2 * i] = WithNormal(hubFront, toFront);
    front[2 * i + 1] = WithNormal(outlineFront, toFront);
    SetFaceTexture(hubBack, HubRadius, phi, TipRadius);
    SetFaceTexture(outlineBack, q.TextureRadius, phi, TipRadius);
    back[2 * i] = WithNormal(outlineBack, toBack);
    back[2 * i + 1] = WithNormal(hubBack, toBack);
    bore[2 * i] = WithTexture(WithNormal(hubBack, toAxis), wallU, 0.0f);
    bore[2 * i + 1] = WithTexture(WithNormal(hubFront, toAxis), wallU, 1.0f);
    rim[2 * i] = WithTexture(WithNormal(outlineFront, q.Normal), wallU, 1.0f);
    rim[2 * i + 1] = WithTexture(WithNormal(outlineBack, q.Normal), wallU, 0.0f);
}
