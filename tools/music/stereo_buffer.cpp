#include "stereo_buffer.h"

StereoBuffer::StereoBuffer(int64_t frames)
    : left_(static_cast<size_t>(frames)), right_(static_cast<size_t>(frames)) {}
