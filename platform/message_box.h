#pragma once

// Fatal-error reporting: an error box with a caption and a text, through a sink that each
// platform (or test, or headless tool) installs. Until one is installed, the text goes to stderr.
namespace platform {

class MessageBoxSink {
public:
    virtual ~MessageBoxSink() = default;
    virtual void Show(const char* text, const char* caption) = 0;
};

// Only the stderr line "caption: text": for headless runs, where nobody could close a box.
class StderrMessageBox final : public MessageBoxSink {
public:
    void Show(const char* text, const char* caption) override;
};

// Replaces the sink; null restores the stderr line. Returns the previous sink, never null.
MessageBoxSink* UseMessageBoxSink(MessageBoxSink* sink);

}  // namespace platform

// Shows an error box with the given text and caption through the active sink.
void ShowErrorBox(const char* text, const char* caption);
