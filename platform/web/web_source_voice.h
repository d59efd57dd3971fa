#pragma once

#include "platform/audio_engine.h"

namespace audio {

// The music voice of the page. The page plays the track that lies beside it, compressed, in
// place of the samples that the desktop programs carry: the submitted buffer says only that the
// whole track is to be played once. Destroying the voice stops the music.
class WebSourceVoice final : public SourceVoice {
public:
    // The track's format: 16-bit stereo PCM; anything else is refused.
    static bool IsSupported(const WaveFormat& format);

    WebSourceVoice() = default;
    ~WebSourceVoice() override;
    WebSourceVoice(const WebSourceVoice&) = delete;
    WebSourceVoice& operator=(const WebSourceVoice&) = delete;

    // One buffer, marked as the end of the stream, without a loop; anything else is refused.
    HRESULT SubmitSourceBuffer(const AudioBuffer* buffer) override;
    // Starts the music once; later calls change nothing.
    HRESULT Start(uint32_t flags, uint32_t operationSet) override;

private:
    bool Submitted = false;
    bool Started = false;
};

}  // namespace audio
