#pragma once

// Fatal-error reporting: a modal error box with a caption and a text, and the same text as one
// line on stderr. Tests and headless tools replace the box with a sink of their own.
namespace platform {

class MessageBoxSink {
public:
    virtual ~MessageBoxSink() = default;
    virtual void Show(const char* text, const char* caption) = 0;
};

// Error box (when a display is available) plus "caption: text" on stderr.
class ModalMessageBox final : public MessageBoxSink {
public:
    void Show(const char* text, const char* caption) override;
};

// Only the stderr line: for headless runs, where nobody could close a box.
class StderrMessageBox final : public MessageBoxSink {
public:
    void Show(const char* text, const char* caption) override;
};

// Replaces the sink; null restores the modal box. Returns the previous sink (null for the
// default).
MessageBoxSink* UseMessageBoxSink(MessageBoxSink* sink);

}  // namespace platform

// Shows an error box with the given text and caption through the active sink.
void ShowErrorBox(const char* text, const char* caption);
