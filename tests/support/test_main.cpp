#include <gtest/gtest.h>

#include "geometry/build_constants.h"
#include "platform/message_box.h"

// Tests run with the first program's constants unless a test selects the other set.
const BuildConstants* ProgramConstants = &BannerConstants;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // A test that forgets to record boxes must not block on a modal one.
    platform::StderrMessageBox stderrOnly;
    platform::UseMessageBoxSink(&stderrOnly);
    return RUN_ALL_TESTS();
}
