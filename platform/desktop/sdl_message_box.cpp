#include "platform/desktop/sdl_message_box.h"

#include <SDL2/SDL.h>

void SdlMessageBox::Show(const char* text, const char* caption) {
    platform::StderrMessageBox().Show(text, caption);
    // Without a display the box cannot appear; the stderr line already told the story.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr);
}
