#include "platform/message_box.h"

#include <SDL2/SDL.h>

#include <cstdio>

namespace platform {
namespace {
ModalMessageBox DefaultSink;
MessageBoxSink* ActiveSink = &DefaultSink;
}  // namespace

void StderrMessageBox::Show(const char* text, const char* caption) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
}

void ModalMessageBox::Show(const char* text, const char* caption) {
    StderrMessageBox().Show(text, caption);
    // Without a display the box cannot appear; the stderr line already told the story.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr);
}

MessageBoxSink* UseMessageBoxSink(MessageBoxSink* sink) {
    MessageBoxSink* previous = ActiveSink;
    ActiveSink = sink != nullptr ? sink : &DefaultSink;
    return previous == &DefaultSink ? nullptr : previous;
}

}  // namespace platform

void ShowErrorBox(const char* text, const char* caption) {
    platform::ActiveSink->Show(text, caption);
}
