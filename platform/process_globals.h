#pragma once

#include "platform/audio_engine.h"
#include "platform/graphics_device.h"
#include "platform/graphics_system.h"

// The process-wide graphics and audio objects; null until created at start-up.
extern gfx::GraphicsSystem* Direct3DObject;
extern gfx::Device* GraphicsDevice;
extern gfx::VertexBuffer* BackdropVertexBuffer;
extern audio::Engine* AudioEngine;
extern audio::MasteringVoice* MasteringVoice;
