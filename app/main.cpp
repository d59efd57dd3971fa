#include "app/application.h"
#include "app/scene_instance.h"
#include "app/scene_light_switch.h"
#include "app/sdl_shell_platform.h"
#include "platform/gl_graphics_system.h"

int main() {
    SdlShellPlatform platform(CreateGlGraphicsSystem);
    SceneLightSwitch lights(Scene);
    Application application(platform, Scene, lights);
    return application.Run();
}
