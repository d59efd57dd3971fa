#pragma once

#include "app/light_switch.h"
#include "scene/talvo_scene0001.h"

// The window procedure's 'L' key, acting on a scene.
class SceneLightSwitch final : public LightSwitch {
public:
    explicit SceneLightSwitch(CTalvoScene0001& scene) : Target(scene) {}
    void SetLightsOn(bool on) override { Target.SetLightsOn(on); }
    bool AreLightsOn() const override { return Target.AreLightsOn(); }

private:
    CTalvoScene0001& Target;
};
