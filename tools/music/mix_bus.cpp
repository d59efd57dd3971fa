#include "mix_bus.h"

#include <algorithm>
#include <cmath>

MixBus::MixBus(int64_t frames) : dry_(frames), reverb_(frames), echo_(frames) {}

MixBus::Pan MixBus::PanAt(float position) {
    const float angle = (std::clamp(position, -1.0f, 1.0f) + 1.0f) * 0.78539816f;
    return {std::cos(angle), std::sin(angle)};
}

void MixBus::AddStereo(int64_t frame, float left, float right, Sends sends) {
    dry_.Add(frame, left, right);
    if (sends.reverb != 0.0f) {
        reverb_.Add(frame, left * sends.reverb, right * sends.reverb);
    }
    if (sends.echo != 0.0f) {
        echo_.Add(frame, left * sends.echo, right * sends.echo);
    }
}
