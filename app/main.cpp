#include "app/scene_instance.h"
#include "platform/desktop/gl_graphics_system.h"
#include "platform/desktop/sdl_message_box.h"
#include "platform/desktop/sdl_shell_platform.h"
#include "platform/scoped_message_box_sink.h"
#include "shell/application.h"
#include "shell/scene_light_switch.h"

// Each object here outlives those declared after it, which point at it.
int main() {
    SdlMessageBox box;
    const platform::ScopedMessageBoxSink boxes(box);
    SdlShellPlatform platform(CreateGlGraphicsSystem);
    SceneLightSwitch lights(Scene);
    Application application(platform, Scene, lights);
    return application.Run();
}
