#include "app/application.h"
#include "app/scene_instance.h"
#include "app/scene_light_switch.h"
#include "platform/desktop/gl_graphics_system.h"
#include "platform/desktop/sdl_message_box.h"
#include "platform/desktop/sdl_shell_platform.h"

int main() {
    SdlMessageBox box;
    platform::UseMessageBoxSink(&box);
    SdlShellPlatform platform(CreateGlGraphicsSystem);
    SceneLightSwitch lights(Scene);
    Application application(platform, Scene, lights);
    return application.Run();
}
