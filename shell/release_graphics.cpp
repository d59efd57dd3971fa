#include "shell/release_graphics.h"

#include "platform/process_globals.h"

void ReleaseGraphics() {
    // Cleared so that a late use fails loudly instead of reaching freed objects.
    if (BackdropVertexBuffer != nullptr) {
        BackdropVertexBuffer->Release();
        BackdropVertexBuffer = nullptr;
    }
    if (GraphicsDevice != nullptr) {
        GraphicsDevice->Release();
        GraphicsDevice = nullptr;
    }
    if (Direct3DObject != nullptr) {
        Direct3DObject->Release();
        Direct3DObject = nullptr;
    }
}
