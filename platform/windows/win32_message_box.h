#pragma once

#include "platform/message_box.h"

// The error box of Windows: modal, no owner window, the error icon and an OK button. The same
// text also goes to stderr as one line, for whoever started the program from a console.
class Win32MessageBox final : public platform::MessageBoxSink {
public:
    void Show(const char* text, const char* caption) override;
};
