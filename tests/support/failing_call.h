#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/recording_device.h"

// One device call of an object's Create to make fail: the n-th call of an operation.
namespace testing_support {

struct FailingCall {
    Operation Which;
    int Number;
};

inline const char* OperationName(Operation operation) {
    static const char* const names[] = {"CreateVertexBuffer",   "CreateTexture",
                                        "CreateTextureFromPng", "LockVertexBuffer",
                                        "LockTexture",          "BeginScene"};
    return names[static_cast<int>(operation)];
}

// Every call of a Create that makes one texture and then the given number of vertex buffers.
inline std::vector<FailingCall> EveryCallOfCreate(int buffers) {
    std::vector<FailingCall> calls{{Operation::CreateTexture, 0}, {Operation::LockTexture, 0}};
    for (int b = 0; b < buffers; ++b) {
        calls.push_back({Operation::CreateVertexBuffer, b});
    }
    for (int b = 0; b < buffers; ++b) {
        calls.push_back({Operation::LockVertexBuffer, b});
    }
    return calls;
}

inline std::string FailingCallName(const ::testing::TestParamInfo<FailingCall>& info) {
    return OperationName(info.param.Which) + std::to_string(info.param.Number);
}

}  // namespace testing_support
