#pragma once

#include "platform/message_box.h"

// The program's error boxes in the page: handed to the page's script, which writes them on the
// console and tells the visitor in words of its own.
class WebMessageBox final : public platform::MessageBoxSink {
public:
    void Show(const char* text, const char* caption) override;
};
