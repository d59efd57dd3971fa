#pragma once

#include <cstdint>

#include "platform/shell_event.h"

namespace windows {

// What a Win32 window message means to the window procedure: key messages with their virtual
// key, system key messages (Alt held, F10), the window's creation and destruction; every other
// message, the close command included, is the default procedure's.
shell::Event TranslateWindowMessage(uint32_t message, uint64_t wParam);

}  // namespace windows
