#include "platform/windows/window_message.h"

#include "platform/windows/win32.h"

namespace windows {

shell::Event TranslateWindowMessage(uint32_t message, uint64_t wParam) {
    const auto key = static_cast<uint32_t>(wParam);
    switch (message) {
        case WM_KEYDOWN:
            return {shell::EventKind::KeyDown, key};
        case WM_KEYUP:
            return {shell::EventKind::KeyUp, key};
        case WM_SYSKEYDOWN:
            return {shell::EventKind::SystemKeyDown, key};
        case WM_SYSKEYUP:
            return {shell::EventKind::SystemKeyUp, key};
        case WM_CREATE:
            return {shell::EventKind::Created, 0};
        case WM_DESTROY:
            return {shell::EventKind::Destroy, 0};
        default:
            return {shell::EventKind::Other, 0};
    }
}

}  // namespace windows
