#include <cstring>

#include "assets/embedded_assets.h"
#include "platform/process_globals.h"
#include "scene/talvo_scene0001.h"

HRESULT CTalvoScene0001::InitAudio() {
    const auto record = assets::MusicFormatRecord();
    // Only the leading PCM record is filled; the rest stays zero.
    std::memcpy(static_cast<void*>(&MusicFormat), record.data(), record.size());

    // The whole track as one buffer, played in place from the program's data.
    const auto samples = assets::MusicSamples();
    MusicBuffer.AudioBytes = static_cast<uint32_t>(samples.size());
    MusicBuffer.AudioData = samples.data();
    MusicBuffer.Flags = audio::EndOfStream;

    if (AudioEngine == nullptr) {
        return E_FAIL;
    }
    const HRESULT created =
        AudioEngine->CreateSourceVoice(&MusicVoice, &MusicFormat.Format, 0, 2.0f);
    if (Failed(created)) {
        return created;
    }
    const HRESULT submitted = MusicVoice->SubmitSourceBuffer(&MusicBuffer);
    if (Failed(submitted)) {
        return submitted;
    }
    return S_OK;
}
