#include "platform/process_globals.h"

gfx::GraphicsSystem* Direct3DObject = nullptr;
gfx::Device* GraphicsDevice = nullptr;
gfx::VertexBuffer* BackdropVertexBuffer = nullptr;
audio::Engine* AudioEngine = nullptr;
audio::MasteringVoice* MasteringVoice = nullptr;
