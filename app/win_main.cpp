#include "app/scene_instance.h"
#include "platform/scoped_message_box_sink.h"
#include "platform/windows/multimedia_timer.h"
#include "platform/windows/win32.h"
#include "platform/windows/win32_message_box.h"
#include "platform/windows/win32_shell_platform.h"
#include "shell/application.h"
#include "shell/scene_light_switch.h"

// Each object here outlives those declared after it, which point at it.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MultimediaTimer timer;
    Win32MessageBox box;
    const platform::ScopedMessageBoxSink boxes(box);
    Win32ShellPlatform platform;
    SceneLightSwitch lights(Scene);
    Application application(platform, Scene, lights);
    return application.Run();
}
