#include "platform/web/web_shell_platform.h"

#include <emscripten/html5.h>

#include "platform/web/web_graphics_system.h"

gfx::WindowHandle WebShellPlatform::CreateWindow(shell::WindowProcedure& procedure,
                                                 std::string* error) {
    int width = 0;
    int height = 0;
    if (emscripten_get_canvas_element_size(Canvas.c_str(), &width, &height) !=
        EMSCRIPTEN_RESULT_SUCCESS) {
        *error = "the page has no canvas " + Canvas;
        return nullptr;
    }
    // As a program's window does, the canvas sends its creation messages first.
    Procedure = &procedure;
    Procedure->WindowProc({shell::EventKind::Created, 0});
    return const_cast<char*>(Canvas.c_str());
}

void WebShellPlatform::DestroyWindow(gfx::WindowHandle) {
    Queue.clear();
    Procedure->WindowProc({shell::EventKind::Destroy, 0});
}

bool WebShellPlatform::DispatchMessage() {
    if (Queue.empty() || Procedure == nullptr) {
        return false;
    }
    const shell::Event event = Queue.front();
    Queue.pop_front();
    Procedure->WindowProc(event);
    return true;
}

gfx::GraphicsSystem* WebShellPlatform::CreateGraphicsSystem(std::string*) {
    return new gfx::WebGraphicsSystem(&Device);
}

bool WebShellPlatform::ResizeBackBuffer(int width, int height) {
    return Device != nullptr && Succeeded(Device->ResizeBackBuffer(width, height));
}

HRESULT WebShellPlatform::CreateAudioEngine(audio::Engine** engine) {
    Audio = std::make_unique<audio::WebAudioEngine>();
    if (const HRESULT result = Audio->Initialize(); Failed(result)) {
        AudioFailure = Audio->LastError();
        Audio.reset();
        return result;
    }
    *engine = Audio.get();
    return S_OK;
}
