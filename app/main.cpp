#include "app/scene_instance.h"
#include "platform/desktop/gl_graphics_system.h"
#include "platform/desktop/sdl_message_box.h"
#include "platform/desktop/sdl_shell_platform.h"
#include "shell/application.h"
#include "shell/scene_light_switch.h"

int main() {
    SdlMessageBox box;
    platform::UseMessageBoxSink(&box);
    SdlShellPlatform platform(CreateGlGraphicsSystem);
    SceneLightSwitch lights(Scene);
    Application application(platform, Scene, lights);
    return application.Run();
}
