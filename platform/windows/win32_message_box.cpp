#include "platform/windows/win32_message_box.h"

#include "platform/windows/win32.h"

void Win32MessageBox::Show(const char* text, const char* caption) {
    platform::StderrMessageBox().Show(text, caption);
    MessageBoxA(nullptr, text, caption, MB_ICONERROR | MB_OK);
}
