#pragma once

#include "platform/audio_engine.h"

namespace audio {

// The page's output: the browser's audio context, which the page makes when the person who asked
// for the show lets sound start. Nothing here to hold.
class WebMasteringVoice final : public MasteringVoice {};

}  // namespace audio
