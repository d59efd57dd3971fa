#include "reverb.h"

namespace {

// Mutually prime delay lengths tuned for 44.1 kHz and scaled to the track's rate.
constexpr std::array<int, 8> kCombLengths = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<int, 4> kAllPassLengths = {556, 441, 341, 225};
constexpr int kStereoSpread = 23;

size_t Scaled(int length, double scale, int spread) {
    return static_cast<size_t>(static_cast<double>(length + spread) * scale);
}

}  // namespace

Reverb::Channel Reverb::MakeChannel(double scale, int spread) {
    Channel channel;
    for (size_t i = 0; i < kCombLengths.size(); ++i) {
        channel.combs[i].line.assign(Scaled(kCombLengths[i], scale, spread), 0.0f);
    }
    for (size_t i = 0; i < kAllPassLengths.size(); ++i) {
        channel.allPasses[i].line.assign(Scaled(kAllPassLengths[i], scale, spread), 0.0f);
    }
    return channel;
}

Reverb::Reverb(double sampleRate, float roomSize, float damping)
    : feedback_(0.7f + 0.28f * roomSize),
      damping_(damping),
      left_(MakeChannel(sampleRate / 44100.0, 0)),
      right_(MakeChannel(sampleRate / 44100.0, kStereoSpread)) {}

float Reverb::Run(Channel& channel, float input) {
    float sum = 0.0f;
    for (Comb& comb : channel.combs) {
        const float delayed = comb.line[comb.position];
        comb.store = delayed * (1.0f - damping_) + comb.store * damping_;
        comb.line[comb.position] = input + comb.store * feedback_;
        comb.position = comb.position + 1 == comb.line.size() ? 0 : comb.position + 1;
        sum += delayed;
    }
    for (AllPass& pass : channel.allPasses) {
        const float delayed = pass.line[pass.position];
        pass.line[pass.position] = sum + delayed * 0.5f;
        pass.position = pass.position + 1 == pass.line.size() ? 0 : pass.position + 1;
        sum = delayed - sum;
    }
    return sum;
}

void Reverb::Process(const StereoBuffer& input, StereoBuffer& output, float wet) {
    const float gain = wet * 0.03f;  // the eight combs add up to a loud sum
    for (int64_t i = 0; i < input.Frames(); ++i) {
        const float mono = (input.Left()[i] + input.Right()[i]) * 0.5f;
        const float l = Run(left_, input.Left()[i] * 0.5f + mono * 0.5f);
        const float r = Run(right_, input.Right()[i] * 0.5f + mono * 0.5f);
        output.Add(i, l * gain, r * gain);
    }
}
