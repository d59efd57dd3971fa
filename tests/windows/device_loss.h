#ifndef BANNER_TESTS_WINDOWS_DEVICE_LOSS_H
#define BANNER_TESTS_WINDOWS_DEVICE_LOSS_H

#include <d3d9.h>

#ifdef __cplusplus
extern "C" {
#endif

// A loss of a real Direct3D 9 device as a locked screen or a display change makes it: from the
// next Present on, Present shows nothing and reports the device lost, TestCooperativeLevel
// reports it lost for LostChecks calls and then ready to be reset, and the device's own Reset
// ends the loss when it succeeds. What reached the device meanwhile is counted.
struct DeviceLoss {
    int LostChecks;
    // What the device saw: checks and presents while lost, resets tried and those that failed,
    // draws and scenes begun while lost.
    int Checks;
    int LostPresents;
    int Resets;
    int FailedResets;
    int LostDraws;
    int LostScenes;
    // The device's parameters before the loss, and those its last reset was given.
    D3DPRESENT_PARAMETERS Before;
    D3DPRESENT_PARAMETERS ResetWith;
};

// Starts the loss on device, until RestoreDevice; one device at a time.
void LoseDevice(IDirect3DDevice9* device, struct DeviceLoss* loss);
// Whether the loss is still on.
int DeviceIsLost(void);
// Gives the device back its own methods.
void RestoreDevice(IDirect3DDevice9* device);

#ifdef __cplusplus
}
#endif

#endif
