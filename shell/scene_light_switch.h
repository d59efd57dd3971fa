#pragma once

#include "scene/talvo_scene0001.h"
#include "shell/light_switch.h"

// The window procedure's 'L' key, acting on a scene.
class SceneLightSwitch final : public LightSwitch {
public:
    explicit SceneLightSwitch(CTalvoScene0001& scene) : Target(scene) {}
    void SetLightsOn(bool on) override { Target.SetLightsOn(on); }
    bool AreLightsOn() const override { return Target.AreLightsOn(); }

private:
    CTalvoScene0001& Target;
};
