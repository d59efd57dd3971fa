#include "objects/bubble/object_bubble.h"
#include "objects/concave_box/object_concav_box.h"
#include "objects/effect/object_effect.h"
#include "scene/talvo_scene0001.h"

// Every press also bursts the bubbles and starts the effects; both act on their first call only,
// so only the first press matters to them.
void CTalvoScene0001::SetLightsOn(bool on) {
    for (Object3D* object : Boxes) {
        if (auto* box = dynamic_cast<ObjectConcavBox*>(object); box != nullptr) {
            box->SetLightEnabled(on);
        }
    }
    for (Object3D* object : Bubbles) {
        if (auto* bubble = dynamic_cast<ObjectBubble*>(object); bubble != nullptr) {
            bubble->Burst(Now);
        }
    }
    for (Object3D* object : Effects) {
        if (auto* effect = dynamic_cast<ObjectEffect*>(object); effect != nullptr) {
            effect->Start(Now);
        }
    }
}

bool CTalvoScene0001::AreLightsOn() const {
    if (Boxes.empty()) {
        return false;
    }
    const auto* box = dynamic_cast<const ObjectConcavBox*>(Boxes.front());
    return box != nullptr && box->IsLightEnabled();
}
