#pragma once

// The scene's 'L' key operations, which the window procedure calls.
class LightSwitch {
public:
    virtual void SetLightsOn(bool on) = 0;
    virtual bool AreLightsOn() const = 0;

protected:
    ~LightSwitch() = default;
};
