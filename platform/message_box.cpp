#include "platform/message_box.h"

#include <cstdio>

namespace platform {
namespace {
StderrMessageBox DefaultSink;
MessageBoxSink* ActiveSink = &DefaultSink;
}  // namespace

void StderrMessageBox::Show(const char* text, const char* caption) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
}

MessageBoxSink* UseMessageBoxSink(MessageBoxSink* sink) {
    MessageBoxSink* previous = ActiveSink;
    ActiveSink = sink != nullptr ? sink : &DefaultSink;
    return previous;
}

}  // namespace platform

void ShowErrorBox(const char* text, const char* caption) {
    platform::ActiveSink->Show(text, caption);
}
