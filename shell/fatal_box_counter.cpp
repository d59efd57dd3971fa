#include "shell/fatal_box_counter.h"

#include <string_view>

namespace {
constexpr std::string_view ExitingSuffix = " - Program Exiting";
}

FatalBoxCounter::FatalBoxCounter() : Previous(platform::UseMessageBoxSink(this)) {}

FatalBoxCounter::~FatalBoxCounter() { platform::UseMessageBoxSink(Previous); }

void FatalBoxCounter::Show(const char* text, const char* caption) {
    if (std::string_view(text).ends_with(ExitingSuffix)) {
        ++Count;
    }
    Previous->Show(text, caption);
}
