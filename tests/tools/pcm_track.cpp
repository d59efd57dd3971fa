#include "pcm_track.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr double kFullScale = 32768.0;
constexpr int64_t kNeighbourhood = 400;  // frames each side
constexpr int64_t kGap = 3;              // frames next to a bend left out of its surroundings

}  // namespace

PcmTrack::PcmTrack(std::vector<int16_t> samples, int sampleRate)
    : samples_(std::move(samples)), sampleRate_(sampleRate) {}

PcmTrack PcmTrack::FromBytes(std::span<const uint8_t> bytes, int sampleRate) {
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return PcmTrack(std::move(samples), sampleRate);
}

int64_t PcmTrack::FrameAt(double seconds) const {
    return std::clamp<int64_t>(static_cast<int64_t>(seconds * sampleRate_), 0, Frames());
}

double PcmTrack::Dbfs(double level) { return 20.0 * std::log10(std::max(level, 1e-12)); }

double PcmTrack::Peak() const {
    int peak = 0;
    for (int16_t sample : samples_) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak / kFullScale;
}

double PcmTrack::Mean(int channel) const {
    double sum = 0.0;
    for (int64_t i = 0; i < Frames(); ++i) {
        sum += At(i, channel);
    }
    return Frames() > 0 ? sum / static_cast<double>(Frames()) / kFullScale : 0.0;
}

double PcmTrack::Rms(double from, double to) const {
    const int64_t first = FrameAt(from);
    const int64_t last = FrameAt(to);
    double sum = 0.0;
    for (int64_t i = first; i < last; ++i) {
        sum += static_cast<double>(At(i, 0)) * At(i, 0) + static_cast<double>(At(i, 1)) * At(i, 1);
    }
    return last > first ? std::sqrt(sum / (2.0 * static_cast<double>(last - first))) / kFullScale
                        : 0.0;
}

double PcmTrack::Brightness(double from, double to) const {
    const int64_t first = std::max<int64_t>(FrameAt(from), 1);
    const int64_t last = FrameAt(to);
    double energy = 0.0;
    double change = 0.0;
    for (int64_t i = first; i < last; ++i) {
        for (int channel = 0; channel < 2; ++channel) {
            const double x = At(i, channel);
            const double d = x - At(i - 1, channel);
            energy += x * x;
            change += d * d;
        }
    }
    return energy > 0.0 ? change / (4.0 * energy) : 0.0;
}

bool PcmTrack::AllZero(double from) const {
    for (int64_t i = FrameAt(from); i < Frames(); ++i) {
        if (At(i, 0) != 0 || At(i, 1) != 0) {
            return false;
        }
    }
    return true;
}

std::vector<double> PcmTrack::Bends(int channel) const {
    std::vector<double> bends(static_cast<size_t>(Frames()), 0.0);
    for (int64_t i = 2; i < Frames(); ++i) {
        bends[i] =
            static_cast<double>(At(i, channel)) - 2.0 * At(i - 1, channel) + At(i - 2, channel);
    }
    return bends;
}

std::vector<int64_t> PcmTrack::Clicks() const {
    // A bend counts as a click when it is far above the typical (RMS) bend of the frames around
    // it, leaving out its immediate neighbours, and large in absolute terms too.
    constexpr double kRatio = 10.0;
    constexpr double kFloor = 1500.0;
    std::vector<int64_t> clicks;
    for (int channel = 0; channel < 2; ++channel) {
        const std::vector<double> bends = Bends(channel);
        std::vector<double> cumulative(bends.size() + 1, 0.0);
        for (size_t i = 0; i < bends.size(); ++i) {
            cumulative[i + 1] = cumulative[i] + bends[i] * bends[i];
        }
        const auto sum = [&](int64_t from, int64_t to) {
            from = std::clamp<int64_t>(from, 0, Frames());
            to = std::clamp<int64_t>(to, 0, Frames());
            return to > from ? cumulative[to] - cumulative[from] : 0.0;
        };
        for (int64_t i = 0; i < Frames(); ++i) {
            const double bend = std::fabs(bends[i]);
            if (bend < kFloor) {
                continue;
            }
            const double around =
                sum(i - kNeighbourhood, i - kGap) + sum(i + kGap + 1, i + kNeighbourhood + 1);
            const double typical =
                std::sqrt(around / static_cast<double>(2 * (kNeighbourhood - kGap)));
            if (bend > kRatio * typical) {
                clicks.push_back(i);
            }
        }
    }
    std::sort(clicks.begin(), clicks.end());
    return clicks;
}
