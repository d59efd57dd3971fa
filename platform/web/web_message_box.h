#pragma once

#include "platform/message_box.h"

// The page's error box: an overlay over the banner with the text, and the line on the console.
class WebMessageBox final : public platform::MessageBoxSink {
public:
    void Show(const char* text, const char* caption) override;
};
