#pragma once

#include <cstdint>
#include <vector>

namespace gfx {

// A device that can keep a copy of the frames it presents, for tools that read the show back.
class FrameCapture {
public:
    // While capture is on, Present keeps a copy of the frame it shows (off by default: reading
    // the frame back stalls the pipeline).
    virtual void SetFrameCapture(bool capture) = 0;
    // The last frame Present kept: RGBA bytes, top row first, alpha 255, width x height pixels.
    // False when no frame has been kept yet.
    virtual bool ReadPresentedFrame(std::vector<uint8_t>& rgba, int& width, int& height) const = 0;

protected:
    ~FrameCapture() = default;
};

}  // namespace gfx
