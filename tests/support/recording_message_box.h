#pragma once

#include <string>
#include <vector>

#include "platform/message_box.h"

// Collects error boxes instead of showing them, so no test ever waits on a box. Installed for the
// lifetime of the object.
namespace testing_support {

struct ShownBox {
    std::string Text;
    std::string Caption;
};

class RecordingMessageBox final : public platform::MessageBoxSink {
public:
    RecordingMessageBox() : Previous(platform::UseMessageBoxSink(this)) {}
    ~RecordingMessageBox() override { platform::UseMessageBoxSink(Previous); }
    RecordingMessageBox(const RecordingMessageBox&) = delete;
    RecordingMessageBox& operator=(const RecordingMessageBox&) = delete;

    void Show(const char* text, const char* caption) override { Boxes.push_back({text, caption}); }

    std::vector<ShownBox> Boxes;

private:
    platform::MessageBoxSink* Previous;
};

}  // namespace testing_support
