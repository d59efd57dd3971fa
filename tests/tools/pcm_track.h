#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Measurements of an interleaved 16-bit stereo track, in full-scale units (1.0 = 32768).
class PcmTrack {
public:
    PcmTrack(std::vector<int16_t> samples, int sampleRate);
    static PcmTrack FromBytes(std::span<const uint8_t> bytes, int sampleRate);

    int64_t Frames() const { return static_cast<int64_t>(samples_.size() / 2); }
    int16_t At(int64_t frame, int channel) const { return samples_[2 * frame + channel]; }

    // The largest magnitude of any sample.
    double Peak() const;
    // Mean of one channel over the whole track.
    double Mean(int channel) const;
    // Root mean square over both channels between two times in seconds.
    double Rms(double from, double to) const;
    // The share of the signal's energy in its sample-to-sample differences: near 0 for deep
    // tones, larger for bright, percussive or noisy passages.
    double Brightness(double from, double to) const;
    // Frames where the waveform bends far more sharply than anything around it does: a step
    // or spike that no instrument in the neighbourhood explains.
    std::vector<int64_t> Clicks() const;
    bool AllZero(double from) const;

    static double Dbfs(double level);

private:
    int64_t FrameAt(double seconds) const;
    std::vector<double> Bends(int channel) const;

    std::vector<int16_t> samples_;
    int sampleRate_;
};
