#pragma once

#include "platform/message_box.h"

namespace platform {

// Installs a sink for the lifetime of this object and puts the one before it back afterwards, so
// that no box can reach a sink that is gone. Declared after the sink it installs.
class ScopedMessageBoxSink {
public:
    explicit ScopedMessageBoxSink(MessageBoxSink& sink) : Previous(UseMessageBoxSink(&sink)) {}
    ~ScopedMessageBoxSink() { UseMessageBoxSink(Previous); }
    ScopedMessageBoxSink(const ScopedMessageBoxSink&) = delete;
    ScopedMessageBoxSink& operator=(const ScopedMessageBoxSink&) = delete;

private:
    MessageBoxSink* Previous;
};

}  // namespace platform
