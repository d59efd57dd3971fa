#pragma once

#include "platform/message_box.h"

// The desktop's error box: the stderr line, then SDL's modal box (when a display is available).
class SdlMessageBox final : public platform::MessageBoxSink {
public:
    void Show(const char* text, const char* caption) override;
};
