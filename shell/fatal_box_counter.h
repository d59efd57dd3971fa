#pragma once

#include "platform/message_box.h"

// Passes every error box on to the sink that was active before it and notes whether one of them
// ended the program (its text ends in " - Program Exiting"), so that a failure that already
// showed its box is not reported a second time. Installed for the lifetime of the object.
class FatalBoxCounter final : public platform::MessageBoxSink {
public:
    FatalBoxCounter();
    ~FatalBoxCounter() override;
    FatalBoxCounter(const FatalBoxCounter&) = delete;
    FatalBoxCounter& operator=(const FatalBoxCounter&) = delete;

    void Show(const char* text, const char* caption) override;
    int FatalBoxes() const { return Count; }

private:
    platform::MessageBoxSink* Previous;
    int Count = 0;
};
