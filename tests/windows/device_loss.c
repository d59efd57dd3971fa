/* The device keeps working underneath: its methods are swapped for a copy of its own method table
   in which five of them go through here first. */
#define CINTERFACE
#include "tests/windows/device_loss.h"

static IDirect3DDevice9Vtbl* Own;
static IDirect3DDevice9Vtbl Swapped;
static struct DeviceLoss* Loss;
static int Lost;

/* The loss shows at the first Present; what was drawn before it met a device still working. */
static HRESULT WINAPI LostPresent(IDirect3DDevice9* device, const RECT* source, const RECT* target,
                                  HWND window, const RGNDATA* dirty) {
    (void)device, (void)source, (void)target, (void)window, (void)dirty;
    Lost = 1;
    ++Loss->LostPresents;
    return D3DERR_DEVICELOST;
}

static HRESULT WINAPI LostTestCooperativeLevel(IDirect3DDevice9* device) {
    if (!Lost) {
        return Own->TestCooperativeLevel(device);
    }
    ++Loss->Checks;
    return Loss->Checks <= Loss->LostChecks ? D3DERR_DEVICELOST : D3DERR_DEVICENOTRESET;
}

/* Wine's Reset keeps the places of the lights it discards among the eight it lights at once, so
   that afterwards hardly a light can be switched on; Windows' starts afresh. Switching every light
   off first, which a reset undoes anyway, gives Wine's the fresh start. */
static HRESULT WINAPI LostReset(IDirect3DDevice9* device, D3DPRESENT_PARAMETERS* parameters) {
    HRESULT result;
    DWORD light;
    ++Loss->Resets;
    Loss->ResetWith = *parameters;
    for (light = 0; light < 64; ++light) {
        Own->LightEnable(device, light, FALSE);
    }
    result = Own->Reset(device, parameters);
    if (FAILED(result)) {
        ++Loss->FailedResets;
    } else {
        Lost = 0;
        device->lpVtbl = Own;
    }
    return result;
}

static HRESULT WINAPI LostDrawPrimitive(IDirect3DDevice9* device, D3DPRIMITIVETYPE type,
                                        UINT start, UINT count) {
    Loss->LostDraws += Lost;
    return Own->DrawPrimitive(device, type, start, count);
}

static HRESULT WINAPI LostBeginScene(IDirect3DDevice9* device) {
    Loss->LostScenes += Lost;
    return Own->BeginScene(device);
}

void LoseDevice(IDirect3DDevice9* device, struct DeviceLoss* loss) {
    IDirect3DSwapChain9* chain = NULL;
    Loss = loss;
    Lost = 0;
    if (SUCCEEDED(device->lpVtbl->GetSwapChain(device, 0, &chain))) {
        chain->lpVtbl->GetPresentParameters(chain, &loss->Before);
        chain->lpVtbl->Release(chain);
    }
    Own = device->lpVtbl;
    Swapped = *Own;
    Swapped.Present = LostPresent;
    Swapped.TestCooperativeLevel = LostTestCooperativeLevel;
    Swapped.Reset = LostReset;
    Swapped.DrawPrimitive = LostDrawPrimitive;
    Swapped.BeginScene = LostBeginScene;
    device->lpVtbl = &Swapped;
}

int DeviceIsLost(void) { return Lost; }

void RestoreDevice(IDirect3DDevice9* device) {
    if (Own != NULL && device->lpVtbl == &Swapped) {
        device->lpVtbl = Own;
    }
    Lost = 0;
}
