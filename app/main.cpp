#include "app/application.h"
#include "app/light_switch.h"
#include "app/scene_instance.h"
#include "app/sdl_shell_platform.h"
#include "platform/gl_graphics_system.h"

namespace {

class SceneLights final : public LightSwitch {
  public:
    void SetLightsOn(bool on) override { Scene.SetLightsOn(on); }
    bool AreLightsOn() const override { return Scene.AreLightsOn(); }
};

}  // namespace

int main() {
    SdlShellPlatform platform(CreateGlGraphicsSystem);
    SceneLights lights;
    Application application(platform, Scene, lights);
    return application.Run();
}
